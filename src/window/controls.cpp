#include "window/controls.h"
#include "window/text.h"

#include "resources/units.h"
#include "window/colours.h"
#include "window/fonts.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTimer>

namespace quorvel {

namespace {
QPointer<ListBoxControl> choosingList; // the list whose Click is being handled

Qt::Alignment toQtAlignment(Alignment a)
{
    switch (a) {
    case Alignment::Right: return Qt::AlignRight;
    case Alignment::Centre: return Qt::AlignHCenter;
    case Alignment::Left: break;
    }
    return Qt::AlignLeft;
}

void bindColours(QWidget *w, const ControlDescription &d, QPalette::ColorRole back, QPalette::ColorRole fore)
{
    new ColourBinding(w, back, d.backColor.value_or(defaultBackColor(d.kind)), fore,
                      d.foreColor.value_or(defaultForeColor(d.kind)));
}
} // namespace

LabelControl::LabelControl(const ControlDescription &d, QWidget *parent) : QLabel(toQString(d.caption), parent)
{
    setFont(toQFont(d.font.value_or(defaultFont)));
    setAutoFillBackground(true);
    bindColours(this, d, QPalette::Window, QPalette::WindowText);
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setAlignment(toQtAlignment(d.alignment) | Qt::AlignTop);
    if (d.singleBorder) {
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
    }
}

ListBoxControl::ListBoxControl(const ControlDescription &d, QWidget *parent, std::function<void()> onClick)
    : QListWidget(parent), m_onClick(std::move(onClick)), m_rowsReadOnArrival(d.rowsReadOnArrival)
{
    setFont(toQFont(d.font.value_or(defaultFont)));
    bindColours(this, d, QPalette::Base, QPalette::Text);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_programChange)
            return;
        if (selectedItems().isEmpty()) {
            // An assistive technology selects a row in two steps within one request: it clears the
            // selection, then selects the row. Only a clear that nothing follows is a deselection,
            // and the user never takes the selection away: the row chosen last is chosen again.
            if (m_selectedRow >= 0)
                QTimer::singleShot(0, this, &ListBoxControl::keepChosenRow);
            return;
        }
        m_selectedRow = listIndex();
        m_selectionChanged = true;
        choose();
        // A row selected through the accessibility interface becomes the current row, as a clicked
        // one is (after the choice, as the keys move it, so a screen reader reads the row's answer).
        if (m_selectedRow >= 0 && m_selectedRow < count() && currentRow() != m_selectedRow)
            selectionModel()->setCurrentIndex(model()->index(m_selectedRow, 0), QItemSelectionModel::NoUpdate);
    });
}

void ListBoxControl::keepChosenRow()
{
    if (!selectedItems().isEmpty() || m_selectedRow < 0 || m_selectedRow >= count())
        return;
    m_programChange = true;
    item(m_selectedRow)->setSelected(true);
    m_programChange = false;
}

ListBoxControl *ListBoxControl::choosing()
{
    return choosingList;
}

void ListBoxControl::choose()
{
    const QPointer<ListBoxControl> outer = choosingList;
    choosingList = this;
    m_answer.clear();
    m_onClick();
    choosingList = outer;
}

void ListBoxControl::describeChosenRow(const QString &text)
{
    const int chosen = listIndex();
    QListWidgetItem *row = item(chosen);
    if (!row)
        return;
    row->setData(Qt::AccessibleDescriptionRole, text);
    m_answer = text;
    // A choice is handled before the list moves its focus onto the row, so a screen reader reads
    // the row with its new description; told of the change too, it speaks it when the row already
    // had the focus (the chosen row chosen again).
    QAccessibleInterface *list = QAccessible::isActive() ? QAccessible::queryAccessibleInterface(this) : nullptr;
    QAccessibleTableInterface *table = list ? list->tableInterface() : nullptr;
    if (QAccessibleInterface *cell = table ? table->cellAt(chosen, 0) : nullptr) {
        QAccessibleEvent changed(cell, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

void ListBoxControl::rowsChanged()
{
    if (!m_rowsReadOnArrival || m_rowsDescriptionDue)
        return;
    // The rows, in order, as the list's description: published once the program is done changing
    // them, so a screen reader is told once.
    m_rowsDescriptionDue = true;
    QTimer::singleShot(0, this, [this] {
        m_rowsDescriptionDue = false;
        setAccessibleDescription(rows().join(QLatin1Char('\n')));
    });
}

void ListBoxControl::addRow(const QString &text)
{
    m_programChange = true;
    addItem(text);
    m_programChange = false;
    rowsChanged();
}

void ListBoxControl::clearRows()
{
    m_programChange = true;
    clear();
    m_selectedRow = -1;
    m_programChange = false;
    rowsChanged();
}

QStringList ListBoxControl::rows() const
{
    QStringList texts;
    for (int i = 0; i < count(); ++i)
        texts.append(item(i)->text());
    return texts;
}

int ListBoxControl::listIndex() const
{
    const auto selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

QItemSelectionModel::SelectionFlags ListBoxControl::selectionCommand(const QModelIndex &index,
                                                                     const QEvent *event) const
{
    // One row is always chosen, never taken off: no Ctrl toggle, no clearing by a click below the rows.
    if (!index.isValid() || selectionModel()->isSelected(index))
        return QItemSelectionModel::NoUpdate;
    return QListWidget::selectionCommand(index, event) & ~QItemSelectionModel::Deselect;
}

void ListBoxControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) { // only the left button chooses
        event->accept();
        return;
    }
    m_selectionChanged = false;
    QListWidget::mousePressEvent(event);
    // A press on the row that is already selected changes nothing, yet it is a choice all the same.
    QListWidgetItem *item = itemAt(event->position().toPoint());
    if (!m_selectionChanged && item && item->isSelected())
        choose();
}

void ListBoxControl::focusInEvent(QFocusEvent *event)
{
    QListWidget::focusInEvent(event);
    // Arriving in the list by Tab, or led back to it from a page (readChosenRowOnArrival), a screen
    // reader names the list alone. The row chosen last is where the student is: it is read after
    // the list. (A list read whole on arrival is left to that.)
    const bool arrived =
        m_readRowOnArrival || event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    m_readRowOnArrival = false;
    if (!arrived || m_rowsReadOnArrival || !QAccessible::isActive())
        return;
    QTimer::singleShot(0, this, [this] {
        const int chosen = listIndex();
        if (!hasFocus() || chosen < 0 || chosen != currentRow())
            return;
        QAccessibleEvent focused(this, QAccessible::Focus);
        focused.setChild(chosen);
        QAccessible::updateAccessibility(&focused);
    });
}

TextBoxControl::TextBoxControl(const ControlDescription &d, QWidget *parent)
    : QPlainTextEdit(toQString(d.caption), parent)
{
    setFont(toQFont(d.font.value_or(defaultFont)));
    bindColours(this, d, QPalette::Base, QPalette::Text);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(d.multiLine ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    setTabChangesFocus(true); // a keyboard user must never be trapped in the box
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
}

ButtonControl::ButtonControl(const ControlDescription &d, QWidget *parent, std::function<void()> onClick)
    : QPushButton(toQString(d.caption), parent)
{
    setFont(toQFont(d.font.value_or(defaultFont)));
    setAutoDefault(false);
    if (d.graphical) // a standard button keeps the desktop's button colours
        bindColours(this, d, QPalette::Button, QPalette::ButtonText);
    connect(this, &QPushButton::clicked, this, [cb = std::move(onClick)] { cb(); });
}

void ButtonControl::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this) + 2;
    option.text = wrapCaption(option.text, fontMetrics(), width() - 2 * margin);
    painter.drawControl(QStyle::CE_PushButton, option);
}

QString wrapCaption(const QString &caption, const QFontMetrics &metrics, int width)
{
    if (metrics.horizontalAdvance(caption) <= width)
        return caption;
    QStringList lines;
    QString line;
    for (const QString &word : caption.split(QLatin1Char(' '))) {
        const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
            lines.append(line);
            line = word;
        } else {
            line = candidate;
        }
    }
    lines.append(line);
    return lines.join(QLatin1Char('\n'));
}

PictureSurface::PictureSurface(QWidget *parent, Colour back, Colour fore, std::unique_ptr<Picture> picture)
    : QWidget(parent), m_picture(std::move(picture))
{
    new ColourBinding(this, QPalette::Window, back, QPalette::WindowText, fore);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureSurface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (m_picture)
        m_picture->paint(painter, size(), devicePixelRatioF());
}

namespace {
constexpr int pictureBoxLineWidth = 2; // a sunken panel's frame is as wide as its line
}

QSize PictureBoxControl::clientSize(const ControlDescription &d)
{
    return QSize(twipsToPixels(d.width), twipsToPixels(d.height)) -
           QSize(2 * pictureBoxLineWidth, 2 * pictureBoxLineWidth);
}

PictureBoxControl::PictureBoxControl(const ControlDescription &d, QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(pictureBoxLineWidth);
    // The frame and its client cover every pixel, so boxes stacked beneath are not painted at all.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    m_client = new PictureSurface(this, d.backColor.value_or(defaultBackColor(d.kind)),
                                  d.foreColor.value_or(defaultForeColor(d.kind)), Picture::load(d.picture));
    m_client->setObjectName(toQString(d.name) + QStringLiteral(".client"));
}

void PictureBoxControl::setSeen(bool seen)
{
    if (seen == m_seen)
        return;
    m_seen = seen;
    // It is named by its picture only while it is seen; a window never shown is not read yet.
    if (QAccessible::isActive() && window()->testAttribute(Qt::WA_WState_Created)) {
        QAccessibleEvent renamed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
    }
}

void PictureBoxControl::preparePicture(qreal devicePixelRatio, PictureNeed need)
{
    // Never shown, the client has no size yet: it fills the frame's inside (resizeEvent).
    if (Picture *picture = m_client->picture())
        picture->prepare(contentsRect().size(), devicePixelRatio, need);
}

void PictureBoxControl::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    // Named once it is first shown: a screen reader is told of each name given, and most boxes of a
    // screen are never shown.
    if (!accessibleName().isEmpty())
        return;
    if (const Picture *p = m_client->picture()) {
        setAccessibleName(p->title());
        setAccessibleDescription(p->description());
    } else {
        setAccessibleName(objectName()); // the control's name
    }
}

void PictureBoxControl::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    m_client->setGeometry(contentsRect());
}

} // namespace quorvel
