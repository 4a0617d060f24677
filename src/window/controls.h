#pragma once
// The control kinds of a description, each a Qt widget with the stored look and the event the
// screens listen to.

#include "resources/description.h"
#include "window/picture.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include <functional>
#include <memory>

namespace quorvel {

class LabelControl : public QLabel
{
    Q_OBJECT
public:
    LabelControl(const ControlDescription &d, QWidget *parent);
};

// A list box raises Click once for every user action that selects a row (left mouse button,
// keyboard or an assistive technology) and for a left click on the row already selected; changes
// made by the program raise none. Once a row is chosen the user cannot take the selection away.
class ListBoxControl : public QListWidget
{
    Q_OBJECT
public:
    ListBoxControl(const ControlDescription &d, QWidget *parent, std::function<void()> onClick);
    void addRow(const QString &text);
    void clearRows();
    int listIndex() const;
    QStringList rows() const;

    // The list whose Click is being handled right now, if any: what the program does then, it
    // does in answer to that choice.
    static ListBoxControl *choosing();
    // A screen reader hears the text with the chosen row, now and whenever the row is reached.
    void describeChosenRow(const QString &text);
    // What the program said to the choice being handled (the text given to describeChosenRow).
    const QString &answer() const { return m_answer; }
    // The next time the list gets the focus, a screen reader reads the chosen row after the list.
    void readChosenRowOnArrival() { m_readRowOnArrival = true; }

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index, const QEvent *event) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void choose();
    void keepChosenRow();
    void rowsChanged();

    std::function<void()> m_onClick;
    int m_selectedRow = -1; // the row the user chose last
    bool m_programChange = false;
    bool m_selectionChanged = false;
    bool m_rowsReadOnArrival;
    bool m_rowsDescriptionDue = false;
    bool m_readRowOnArrival = false;
    QString m_answer;
};

class TextBoxControl : public QPlainTextEdit
{
    Q_OBJECT
public:
    TextBoxControl(const ControlDescription &d, QWidget *parent);
};

// A push button whose caption breaks onto further lines at blanks when it is wider than the button.
class ButtonControl : public QPushButton
{
    Q_OBJECT
public:
    ButtonControl(const ControlDescription &d, QWidget *parent, std::function<void()> onClick);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// The caption broken at blanks into lines no wider than the width, where blanks allow it.
QString wrapCaption(const QString &caption, const QFontMetrics &metrics, int width);

// The inside of a picture box or of a screen: its back colour and its picture.
class PictureSurface : public QWidget
{
    Q_OBJECT
public:
    PictureSurface(QWidget *parent, Colour back, Colour fore, std::unique_ptr<Picture> picture);
    Picture *picture() const { return m_picture.get(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::unique_ptr<Picture> m_picture;
};

// A picture box: a sunken frame around a client area that holds its picture and its child controls.
// While it is seen (ScreenWindow decides) a screen reader reads its picture's title and description,
// and, while one runs, Tab reaches it.
class PictureBoxControl : public QFrame
{
    Q_OBJECT
public:
    PictureBoxControl(const ControlDescription &d, QWidget *parent);
    PictureSurface *client() const { return m_client; }
    // Whether the student sees the box: visible and not covered by anything that lies above it.
    // A screen reader hears only of pictures that are seen.
    bool seen() const { return m_seen; }
    void setSeen(bool seen);
    // The size of the client inside the frame of a box of that description.
    static QSize clientSize(const ControlDescription &d);
    // Starts drawing its picture on another core for the size it has when shown.
    void preparePicture(qreal devicePixelRatio, PictureNeed need = PictureNeed::Ahead);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    PictureSurface *m_client;
    bool m_seen = false;
};

} // namespace quorvel
