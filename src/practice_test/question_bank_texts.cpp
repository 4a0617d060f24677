#include "practice_test/question_bank_texts.h"

namespace quorvel::question_texts {

// Every row exactly as the student sees it, blanks included: many rows differ only in blanks.
const std::array<std::string_view, 6> questionOne{
    "1. Which segment(s) have the greatest blood velocity?", "a. 1", "b. 2", "c. 3", "d. 4", "e. 1 and 4",
};

// Slots 1 to 145 in order: questions 2 to 25 (question line, then choices a to e), then the closing line.
const std::array<std::string_view, 145> bankSlots{
    // question 2: slots 1 to 6
    "2. Which segment(s) have the least blood velocity?",
    "a. 1",
    "b. 2",
    "c. 3",
    "d. 4",
    "e. 1 and 4",
    // question 3: slots 7 to 12
    "3. In which segment(s) is the Reynolds number the greatest?",
    "a. 1",
    "b. 2",
    "c. 3",
    "d. 4",
    "e. 1 and 4",
    // question 4: slots 13 to 18
    "4. Which segment resistances are equal to each other?",
    "a. 1 and 2",
    "b. 1 and 3",
    "c. 1 and 4",
    "d. 2 and 3",
    "e. 2 and 4",
    // question 5: slots 19 to 24
    "5. Which segment resistance(s) is/are the greatest?",
    "a. 1 ",
    "b. 2",
    "c. 3",
    "d. 4",
    "e. 1 and 4",
    // question 6: slots 25 to 30
    "6. Which segment(s) cause the least pressure drop?",
    "a. 1",
    "b. 2",
    "c. 3",
    "d. 4",
    "e. 1 and 4",
    // question 7: slots 31 to 36
    "7. Which of the following shows segment blood velocity from lowest to highest?",
    "a. 1-2-3",
    "b. 1-3-2",
    "c. 2-3-4 ",
    "d. 3-4-2 ",
    "e. 4-3-2",
    // question 8: slots 37 to 42
    "8. Over which segment(s) would you more likely hear a bruit?",
    "a. 1",
    "b. 2",
    "c. 3",
    "d. 4",
    "e. 1 and 4",
    // question 9: slots 43 to 48
    "9. At which site is the intravascular pressure the least?",
    "a. 1",
    "b. 2",
    "c. 3",
    "d. 4",
    "e. 5",
    // question 10: slots 49 to 54
    "10. At which site is the transmural pressure the least?",
    "a. 1",
    "b. 2",
    "c. 3",
    "d. 4",
    "e. 5",
    // question 11: slots 55 to 60
    "11. Which of the following most closely determines transmural pressure at point 3?",
    "a. P1 - Pe",
    "b. P5 - Pe",
    "c. [(P1+P5)/2] - Pe",
    "d. [(P1-P5)/2]  - Pe ",
    "e. P1+P2 + Pe ",
    // question 12: slots 61 to 66
    "12. Which two vascular beds receive the same amount of blood flow?",
    "a. 1 and 2",
    "b. 2 and 3",
    "c. 4 and 5",
    "d. 1 and 5 ",
    "e. 3 and 4 ",
    // question 13: slots 67 to 72
    "13. Which vascular bed receives the least amount of blood flow?",
    "a.1",
    "b. 2",
    "c. 3",
    "d. 4 ",
    "e. 5 ",
    // question 14: slots 73 to 78
    "14. Which vascular bed has the least capillary pressure (Pc)?",
    "a.1",
    "b. 2",
    "c. 3",
    "d. 4 ",
    "e. 5 ",
    // question 15: slots 79 to 84
    "15. Which vascular bed has the greatest capillary pressure?",
    "a.1",
    "b. 2",
    "c. 3",
    "d. 4 ",
    "e. 5 ",
    // question 16: slots 85 to 90
    "16. What is the capillary pressure of vascular bed #4?",
    "a.   9 mmHg",
    "b. 18 mmHg",
    "c. 30 mmHg",
    "d. 36 mmHg ",
    "e. 40 mmHg ",
    // question 17: slots 91 to 96
    "17. What is the total peripheral resistance expressed in pru?",
    "a. 0.020 ",
    "b. 0.021 ",
    "c. 0.022 ",
    "d. 0.100 ",
    "e. 0.105 ",
    // question 18: slots 97 to 102
    "18. What is the kidney vascular resistance expressed in pru?",
    " a. 0.020 ",
    " b. 0.021 ",
    "c. 0.022 ",
    "d. 0.100 ",
    "e. 0.105",
    // question 19: slots 103 to 108
    "19. If GI vascular resistance is 0.2 pru, what is GI flow in ml/minute?",
    "a. 500",
    "b. 525",
    "c. 550",
    "d. 800",
    "e. 1000",
    // question 20: slots 109 to 114
    "20. If CO is fixed and only kidney arterioles dilate, which statement is true? ",
    "a. Kidney flow decreases",
    "b. Muscle and Kidney flow decrease",
    "c. Kidney flow and GI flow both increase",
    "d. Kidney flow only increases",
    "e. Muscle and GI flow increase",
    // question 21: slots 115 to 120
    " 21.  Which of the following will increase the wave-speed of an aortic pressure pulse?                            "
    "     ",
    " a. Decreased total peripheral resistance",
    " b. Decreased stroke volume",
    " c. Decreased rate of ventricular ejection",
    " d. Decreased aortic compliance",
    " e. Both b and c ",
    // question 22: slots 121 to 126
    "22. Which of the following is true about pressure-wave reflections in arteries?",
    "a. Greater reflection occurs with peripheral vasodilation",
    "b. Less reflection occurs with peripheral vasoconstriction",
    "c. The composite pressure-wave peak value increases if vascular resistance increases",
    "d. The reflected (backward) pressure wave increases if vascular resistance decreases",
    "e. The backward pressure-wave subtracts from the forward pressure wave",
    // question 23: slots 127 to 132
    "23. Which of the following is true about flow-wave reflections in arteries?",
    "a. Greater reflection occurs with peripheral vasodilation",
    "b. . Less reflection occurs with peripheral vasoconstriction",
    "c. The composite flow-wave peak value increases if vascular resistance increases",
    "d. The reflected (backward) flow wave increases if vascular resistance decreases",
    "e. The backward flow-wave subtracts from the forward flow-wave",
    // question 24: slots 133 to 138
    "24. Which of the following is true about blood flow in veins?",
    "a. As in arteries, flow depends directly on perfusion pressure",
    "b. As in a stenosis, flow depends on the square root of the perfusion pressure ",
    "c. Flow is independent of transmural pressure ",
    "d. External pressure effects flow if its value is less than intravascular pressure",
    "e. A low transmural pressure may cause flow to depend on the external pressure",
    // question 25: slots 139 to 144
    "25. Which of the following is a true statement about blood flow in arterioles?",
    "a. Blood velocity is uniform across its cross-section ",
    "b. Blood velocity is greatest adjacent to the arteriole wall",
    "c. The shear stress due to the flowing blood is greatest at the center of the arteriole",
    "d. If the diameter is fixed, the largest shear stress occurs at the wall of the arteriole",
    "e. If the diameter is fixed, the average shear stress is inverse to the blood flow",
    // the closing line: slot 145
    " THATS ALL FOLKS - HOPE YOU HAD FUN !",
};

} // namespace quorvel::question_texts
