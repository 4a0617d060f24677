// The floor of the click-to-pixels benchmark: the least a topic change must do on this desktop.
// A maximized window whose list, where the tutorial has its topic list, shows a slide drawn in
// advance where the tutorial has its panels, and per topic a page drawn in advance in a frameless
// top-level window of its own where the tutorial's topic page opens; every page window is made
// (its native window too) before the first click, and a change hides the page shown before.
// Keys pressed on a page go to the list, as they do on the program's topic pages. It answers
// "row Floor list N" on standard input as the program's probe does.
//
// Opening a screen: the least it must do is map a new maximized, decorated top-level window and
// paint it. The floor starts on a window of its own with an open button; that button shows the
// topic window, and the topic window's open button shows a third window (a pre-drawn picture and a
// list). Both opened windows are built, their pictures drawn and their native windows made before
// the first click; a click only maps one and paints it. "control Floor open N" locates button N.
#include "desktop/geometry_probe.h"

#include "resources/figure_pages.h"
#include "resources/units.h"
#include "tutorial/topic_table.h"
#include "tutorial/vascular_function_curves_description.h"
#include "window/text.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSvgRenderer>

#include <memory>
#include <vector>

using namespace quorvel;

namespace {

QRect pixels(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

const ControlDescription &control(std::string_view name)
{
    for (const ControlDescription &d : vascularFunctionCurvesDescription.controls)
        if (d.name == name)
            return d;
    qFatal("the tutorial has no control %.*s", int(name.size()), name.data());
}

QPixmap drawn(std::string_view file, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    QSvgRenderer(QStringLiteral(":/pictures/") + toQString(file)).render(&painter, QRectF(QPointF(), QSizeF(size)));
    return pixmap;
}

// A widget that shows one pixmap drawn before.
class Shown : public QWidget
{
public:
    using QWidget::QWidget;
    void showPixmap(const QPixmap &pixmap)
    {
        m_pixmap = pixmap;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).drawPixmap(0, 0, m_pixmap); }

private:
    QPixmap m_pixmap;
};

class Page : public Shown
{
public:
    Page(QListWidget &list, const QRect &geometry, const QPixmap &pixmap) : m_list(list)
    {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        setGeometry(geometry);
        showPixmap(pixmap);
        winId(); // the native window exists before the first click
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        m_list.setFocus();
        QCoreApplication::sendEvent(&m_list, event);
    }

private:
    QListWidget &m_list;
};

class Floor : public QWidget
{
public:
    Floor()
    {
        const ControlDescription &listed = control("basicList1");
        m_list.setParent(this);
        m_list.setGeometry(pixels(listed.left, listed.top, listed.width, listed.height));
        const ControlDescription &master = control("master");
        const QRect slideArea = pixels(master.left, master.top, master.width, master.height);
        m_slide.setParent(this);
        m_slide.setGeometry(slideArea);
        m_slide.showPixmap(drawn(control("title").picture.file, slideArea.size()));
        for (const TopicRow &row : TopicTable::rows()) {
            m_list.addItem(toQString(row.rowText));
            m_slides.push_back(row.ownsTopic() ? drawn(control(row.panel).picture.file, slideArea.size()) : QPixmap());
            m_pages.push_back(row.ownsTopic() ? page(row.page) : nullptr);
        }
        connect(&m_list, &QListWidget::currentRowChanged, this, [this](int row) { choose(row); });
        m_open.setParent(this);
        winId();
    }

    QPushButton &openButton() { return m_open; }

    std::optional<QRect> locateRow(const QStringList &words) const
    {
        if (!isVisible())
            return std::nullopt;
        QListWidgetItem *row =
            words.size() == 4 && words[0] == QLatin1String("row") ? m_list.item(words[3].toInt()) : nullptr;
        if (!row)
            return std::nullopt;
        const QRect r = m_list.visualItemRect(row);
        return QRect(m_list.viewport()->mapToGlobal(r.topLeft()), r.size());
    }

private:
    std::unique_ptr<Page> page(std::string_view name)
    {
        const ScreenDescription &d = *findFigurePage(name);
        const QRect geometry = pixels(d.clientLeft, d.clientTop, d.clientWidth, d.clientHeight);
        return std::make_unique<Page>(m_list, geometry, drawn(d.picture.file, geometry.size()));
    }

    void choose(int row)
    {
        if (row < 0 || !m_pages[std::size_t(row)])
            return;
        m_slide.showPixmap(m_slides[std::size_t(row)]);
        if (m_shown)
            m_shown->hide();
        m_shown = m_pages[std::size_t(row)].get();
        m_shown->show();
    }

    QListWidget m_list;
    Shown m_slide;
    std::vector<QPixmap> m_slides;
    std::vector<std::unique_ptr<Page>> m_pages;
    Page *m_shown = nullptr;
    QPushButton m_open{QStringLiteral("Open")};
};

// A screen opened by a click: a maximized window with a pre-drawn picture and a list.
class Opened : public Shown
{
public:
    explicit Opened(const QPixmap &picture)
    {
        showPixmap(picture);
        m_list.setParent(this);
        m_list.setGeometry(picture.width() + 8, 8, 300, 400);
        for (const TopicRow &row : TopicTable::rows())
            m_list.addItem(toQString(row.rowText));
        winId(); // the native window exists before the click that maps it
    }

private:
    QListWidget m_list;
};

// The window the floor starts on, with the button that opens the topic window.
class Start : public QWidget
{
public:
    Start() { m_open.setParent(this); }
    QPushButton &openButton() { return m_open; }

private:
    QPushButton m_open{QStringLiteral("Open")};
};

std::optional<QRect> locateButton(QPushButton &button)
{
    if (!button.isVisible())
        return std::nullopt;
    return QRect(button.mapToGlobal(QPoint()), button.size());
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Start start;
    Floor floor;
    Opened opened(drawn(control("title").picture.file,
                        QSize(twipsToPixels(control("master").width), twipsToPixels(control("master").height))));
    QObject::connect(&start.openButton(), &QPushButton::clicked, &floor, &QWidget::showMaximized);
    QObject::connect(&floor.openButton(), &QPushButton::clicked, &opened, &QWidget::showMaximized);
    bench::GeometryProbe probe([&](const QStringList &words) -> std::optional<QRect> {
        if (words.size() == 4 && words[0] == QLatin1String("control") && words[2] == QLatin1String("open"))
            return locateButton(words[3] == QLatin1String("0") ? start.openButton() : floor.openButton());
        return floor.locateRow(words);
    });
    start.showMaximized();
    return app.exec();
}
