#pragma once
// What a control of a screen can report: the window layer raises it, the screen's handlers answer.

namespace quorvel {

enum class ControlEvent { Click };

} // namespace quorvel
