#pragma once
// The screen description model: what a screen and its controls look like, as constant data.
// Lengths are twips (15 per pixel at 96 dpi); colours are stored values (direct &H00BBGGRR or a
// desktop scheme entry &H800000nn); fonts are face, size x 10000 and weight. No toolkit types here.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace quorvel {

using Colour = std::uint32_t;

constexpr Colour schemeColour(int entry)
{
    return 0x80000000u | static_cast<Colour>(entry);
}
constexpr bool isSchemeColour(Colour c)
{
    return (c & 0x80000000u) != 0;
}
constexpr int schemeEntry(Colour c)
{
    return static_cast<int>(c & 0xFFu);
}

struct Rgb {
    int red, green, blue;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};
constexpr Rgb directRgb(Colour c)
{
    return {int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)};
}

namespace colours {
inline constexpr Colour blue = 0x00FF0000;
inline constexpr Colour darkBlue = 0x00C00000;
inline constexpr Colour green = 0x0000FF00;
inline constexpr Colour paleYellow = 0x0080FFFF;
inline constexpr Colour lightYellow = 0x00C0FFFF;
inline constexpr Colour white = 0x00FFFFFF;
inline constexpr Colour windowBackground = schemeColour(5);
inline constexpr Colour windowText = schemeColour(8);
inline constexpr Colour highlightText = schemeColour(14);
inline constexpr Colour buttonFace = schemeColour(15);
inline constexpr Colour buttonText = schemeColour(18);
inline constexpr Colour buttonHighlight = schemeColour(20);
} // namespace colours

struct FontSpec {
    std::string_view face = "MS Sans Serif";
    std::int32_t sizeTimes10000 = 82500;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int charset = 0;

    constexpr double points() const { return sizeTimes10000 / 10000.0; }
};

constexpr FontSpec boldSansSerif(std::int32_t sizeTimes10000)
{
    return {"MS Sans Serif", sizeTimes10000, 700};
}

enum class BorderStyle { None = 0, FixedSingle = 1, Sizable = 2, FixedDialog = 3, FixedToolWindow = 4 };
enum class WindowState { Normal = 0, Maximized = 2 };
enum class StartUpPosition { Manual = 0, CenterScreen = 2, WindowsDefault = 3 };
enum class Alignment { Left = 0, Right = 1, Centre = 2 };
enum class ControlKind { Label, TextBox, ListBox, CommandButton, PictureBox };

// A user scale: the client area's top left is (left, top) and it measures width by height units.
struct UserScale {
    float left = 0, top = 0, width = 1, height = 1;
};

enum class PictureKind { PlaceableMetafile, EnhancedMetafile, Bitmap };

// A stored picture: its file among the program's pictures and its kind, which decides how it is
// drawn (metafiles stretched to fill, the bitmap at natural size from the top left).
struct PictureRef {
    std::string_view file;
    PictureKind kind = PictureKind::PlaceableMetafile;
    constexpr bool empty() const { return file.empty(); }
};

struct ControlDescription {
    std::string_view name;
    ControlKind kind = ControlKind::Label;
    std::string_view container{}; // empty: the screen itself
    std::int16_t left = 0, top = 0, width = 0, height = 0;
    std::string_view caption{}; // Caption of labels and buttons, Text of text boxes
    std::optional<Colour> backColor{};
    std::optional<Colour> foreColor{};
    std::optional<FontSpec> font{};
    Alignment alignment = Alignment::Left;
    bool singleBorder = false; // labels: BorderStyle 1
    bool graphical = false;    // buttons: Style 1
    bool multiLine = false;    // text boxes
    bool visible = true;
    int tabIndex = 0;
    std::optional<UserScale> scale{};
    PictureRef picture{};
    // What a screen reader calls a control that shows no caption of its own (lists, text boxes);
    // a picture box is called by its picture's title.
    std::string_view accessibleName{};
    // Lists whose every selection is judged at once: a keyboard user cannot read a row by moving
    // onto it without choosing it, so a screen reader reads all the rows as the list is reached.
    bool rowsReadOnArrival = false;
};

struct MenuEntryDescription {
    std::string_view name;
    std::string_view caption; // "&" marks the access key
    int level = 1;            // 1: on the bar; 2: in the drop-down of the level 1 entry before it
};

struct ScreenDescription {
    std::string_view name;
    std::string_view caption{};
    std::optional<Colour> backColor{};
    std::optional<Colour> foreColor{};
    std::optional<FontSpec> font{};
    BorderStyle border = BorderStyle::Sizable;
    bool maxButton = true;
    bool minButton = true;
    bool showInTaskbar = true;
    WindowState windowState = WindowState::Normal;
    StartUpPosition startUpPosition = StartUpPosition::Manual;
    std::int32_t clientLeft = 0, clientTop = 0, clientWidth = 0, clientHeight = 0;
    std::optional<UserScale> scale{};
    PictureRef picture{};
    std::span<const ControlDescription> controls{};
    std::span<const MenuEntryDescription> menus{};
};

// Defaults of properties a description does not store.
constexpr FontSpec defaultFont{};
constexpr Colour defaultBackColor(ControlKind kind)
{
    return kind == ControlKind::TextBox || kind == ControlKind::ListBox ? colours::windowBackground
                                                                        : colours::buttonFace;
}
constexpr Colour defaultForeColor(ControlKind kind)
{
    return kind == ControlKind::TextBox || kind == ControlKind::ListBox ? colours::windowText : colours::buttonText;
}
inline constexpr Colour defaultScreenBackColor = colours::buttonFace;
inline constexpr Colour defaultScreenForeColor = colours::buttonText;

// Borders 0 (none) have no title bar and so no close box.
constexpr bool hasTitleBar(BorderStyle b)
{
    return b != BorderStyle::None;
}
constexpr bool isResizable(BorderStyle b)
{
    return b == BorderStyle::Sizable;
}

} // namespace quorvel
