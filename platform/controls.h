#pragma once

#include <QFrame>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStringList>
#include <QTextEdit>

#include <functional>
#include <vector>

class QButtonGroup;
class QLabel;
class QRadioButton;

// A sunken line along the top or bottom edge of its own rectangle; with AlignTop it keeps
// itself at the top of its parent, as wide as the parent.
class TBevel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(Shape Shape READ shape WRITE setShape)
    Q_PROPERTY(bool AlignTop READ alignTop WRITE setAlignTop)
public:
    enum Shape { bsTopLine, bsBottomLine };
    Q_ENUM(Shape)

    explicit TBevel(QWidget* parent = nullptr);

    Shape shape() const { return m_shape; }
    void setShape(Shape shape);
    bool alignTop() const { return m_alignTop; }
    void setAlignTop(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();

    Shape m_shape = bsTopLine;
    bool m_alignTop = false;
};

// A captioned group of radio buttons laid out in columns, one chosen (ItemIndex, -1 for none).
// Click is raised when the user picks a different item.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QStringList Items READ items WRITE setItems)
    Q_PROPERTY(int Columns READ columns WRITE setColumns)
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE setItemIndex)
public:
    explicit TRadioGroup(QWidget* parent = nullptr);

    QStringList items() const { return m_items; }
    void setItems(const QStringList& items);
    int columns() const { return m_columns; }
    void setColumns(int columns);
    int ItemIndex() const;
    void setItemIndex(int index);
    QRadioButton* Button(int index) const;

Q_SIGNALS:
    void Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void arrange();

    QStringList m_items;
    int m_columns = 1;
    int m_index = -1;
    QButtonGroup* m_group;
    std::vector<QRadioButton*> m_buttons;
};

class TMemo;

// A memo's text as lines. A trailing empty line is not counted as a line.
class TMemoLines {
public:
    explicit TMemoLines(TMemo& memo) : m_memo(memo) {}
    int Count() const;
    QString Strings(int index) const;
    void Clear();
    void Add(const QString& line);
    QString Text() const;
    void setText(const QString& text);

private:
    TMemo& m_memo;
};

// A multi-line text box. OnKeyPress sees each typed character before the box does; the box
// then handles the key as usual (Enter adds a line break).
class TMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TMemo(QWidget* parent = nullptr);

    TMemoLines& Lines() { return m_lines; }
    std::function<void(char&)> OnKeyPress;
    void setScrollBars(bool on);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TMemoLines m_lines{*this};
};

// A read-only pane of plain text with a vertical scroll bar; CR LF line breaks show as breaks.
class TRichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit TRichEdit(QWidget* parent = nullptr);

    QString Text() const;
    void setText(const QString& text);
    void Clear();
};

// A status bar of fixed-width text panels. Panel texts are set with setPanelText.
class TStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget* parent = nullptr);

    QList<int> panelWidths() const;
    void setPanelWidths(const QList<int>& widths);
    int PanelCount() const { return static_cast<int>(m_panels.size()); }
    QString PanelText(int index) const;
    void setPanelText(int index, const QString& text);
    QLabel* Panel(int index) const;

private:
    std::vector<QLabel*> m_panels;
};
