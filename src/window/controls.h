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
public:
    LabelControl(const ControlDescription &d, QWidget *parent);
};

// A list box raises Click once for every user action that selects a row (left mouse button,
// keyboard or an assistive technology) and for a left click on the row already selected; changes
// made by the program raise none. Once a row is chosen the user cannot take the selection away.
class ListBoxControl : public QListWidget
{
public:
    ListBoxControl(const ControlDescription &d, QWidget *parent, std::function<void()> onClick);
    void addRow(const QString &text);
    void clearRows();
    int listIndex() const;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index, const QEvent *event) const override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    std::function<void()> m_onClick;
    int m_selectedRow = -1; // the row the user chose last
    bool m_programChange = false;
    bool m_selectionChanged = false;
};

class TextBoxControl : public QPlainTextEdit
{
public:
    TextBoxControl(const ControlDescription &d, QWidget *parent);
};

// A push button whose caption breaks onto further lines at blanks when it is wider than the button.
class ButtonControl : public QPushButton
{
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
public:
    PictureSurface(QWidget *parent, Colour back, Colour fore, std::unique_ptr<Picture> picture);
    Picture *picture() const { return m_picture.get(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::unique_ptr<Picture> m_picture;
};

// A picture box: a sunken frame around a client area that holds its picture and its child controls.
class PictureBoxControl : public QFrame
{
public:
    PictureBoxControl(const ControlDescription &d, QWidget *parent);
    PictureSurface *client() const { return m_client; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    PictureSurface *m_client;
};

} // namespace quorvel
