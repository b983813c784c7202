#include "platform/controls.h"

#include <QButtonGroup>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTextBlock>

#include <algorithm>

TBevel::TBevel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TBevel::setShape(Shape shape) {
    m_shape = shape;
    update();
}

void TBevel::setAlignTop(bool on) {
    if (on == m_alignTop)
        return;
    m_alignTop = on;
    if (parentWidget()) {
        if (on)
            parentWidget()->installEventFilter(this);
        else
            parentWidget()->removeEventFilter(this);
    }
    follow();
}

void TBevel::follow() {
    if (m_alignTop && parentWidget())
        setGeometry(0, 0, parentWidget()->width(), height());
}

bool TBevel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        follow();
    return QWidget::eventFilter(watched, event);
}

void TBevel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int y = m_shape == bsTopLine ? 0 : height() - 2;
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(0, y, width() - 1, y);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(0, y + 1, width() - 1, y + 1);
}

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent), m_group(new QButtonGroup(this)) {
    connect(m_group, &QButtonGroup::idClicked, this, [this](int id) {
        if (id == m_index)
            return;
        m_index = id;
        Q_EMIT Click();
    });
}

void TRadioGroup::setItems(const QStringList& items) {
    for (QRadioButton* b : m_buttons)
        delete b;
    m_buttons.clear();
    m_items = items;
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        b->setObjectName(objectName() + QStringLiteral("_") + QString::number(i));
        m_group->addButton(b, i);
        m_buttons.push_back(b);
        b->show();
    }
    // An index set before the items arrive takes effect with them.
    if (m_index >= 0 && m_index < items.size())
        m_buttons[static_cast<std::size_t>(m_index)]->setChecked(true);
    arrange();
}

void TRadioGroup::setColumns(int columns) {
    m_columns = std::max(columns, 1);
    arrange();
}

int TRadioGroup::ItemIndex() const {
    return m_index < static_cast<int>(m_buttons.size()) ? m_index : -1;
}

void TRadioGroup::setItemIndex(int index) {
    if (index < -1 || (index >= static_cast<int>(m_buttons.size()) && !m_buttons.empty()))
        index = -1;
    m_index = index;
    if (index >= 0 && index < static_cast<int>(m_buttons.size())) {
        m_buttons[static_cast<std::size_t>(index)]->setChecked(true);
    } else if (QAbstractButton* checked = m_group->checkedButton()) {
        m_group->setExclusive(false);
        checked->setChecked(false);
        m_group->setExclusive(true);
    }
}

QRadioButton* TRadioGroup::Button(int index) const {
    if (index < 0 || index >= static_cast<int>(m_buttons.size()))
        return nullptr;
    return m_buttons[static_cast<std::size_t>(index)];
}

void TRadioGroup::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    arrange();
}

// Items fill the columns top to bottom; rows share the space below the caption.
void TRadioGroup::arrange() {
    if (m_buttons.empty())
        return;
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect area =
        style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents, this);
    const int count = static_cast<int>(m_buttons.size());
    const int rowsPerColumn = (count + m_columns - 1) / m_columns;
    const int left = area.left() + 4;
    const int columnWidth = std::max((area.width() - 8) / m_columns, 1);
    const int rowHeight = std::max(area.height() / rowsPerColumn, 1);
    for (int i = 0; i < count; ++i) {
        const int column = i / rowsPerColumn;
        const int row = i % rowsPerColumn;
        QRadioButton* b = m_buttons[static_cast<std::size_t>(i)];
        const int h = std::min(b->sizeHint().height(), std::max(rowHeight, 1));
        b->setGeometry(left + column * columnWidth,
                       area.top() + row * rowHeight + (rowHeight - h) / 2, columnWidth, h);
    }
}

int TMemoLines::Count() const {
    const QString text = m_memo.toPlainText();
    if (text.isEmpty())
        return 0;
    int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
    if (text.endsWith(QLatin1Char('\n')))
        --lines;
    return lines;
}

QString TMemoLines::Strings(int index) const {
    if (index < 0 || index >= Count())
        return {};
    return m_memo.document()->findBlockByNumber(index).text();
}

void TMemoLines::Clear() {
    m_memo.clear();
}

void TMemoLines::Add(const QString& line) {
    QString text = m_memo.toPlainText();
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    setText(text + line);
}

QString TMemoLines::Text() const {
    return m_memo.toPlainText();
}

void TMemoLines::setText(const QString& text) {
    m_memo.setPlainText(text);
    // Typing goes on after the text, so a new line typed after Enter becomes the last one.
    m_memo.moveCursor(QTextCursor::End);
}

TMemo::TMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

void TMemo::setScrollBars(bool on) {
    const Qt::ScrollBarPolicy policy = on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    setVerticalScrollBarPolicy(policy);
    setHorizontalScrollBarPolicy(policy);
}

void TMemo::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (OnKeyPress && text.size() == 1 && text[0].unicode() < 0x80) {
        char key = static_cast<char>(text[0].unicode());
        OnKeyPress(key);
    }
    QPlainTextEdit::keyPressEvent(event);
}

TRichEdit::TRichEdit(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setAcceptRichText(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
}

QString TRichEdit::Text() const {
    return toPlainText();
}

void TRichEdit::setText(const QString& text) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setPlainText(plain);
}

void TRichEdit::Clear() {
    clear();
}

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(true);
}

QList<int> TStatusBar::panelWidths() const {
    QList<int> widths;
    for (QLabel* p : m_panels)
        widths.append(p->width());
    return widths;
}

void TStatusBar::setPanelWidths(const QList<int>& widths) {
    for (QLabel* p : m_panels) {
        removeWidget(p);
        delete p;
    }
    m_panels.clear();
    for (int i = 0; i < widths.size(); ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setFixedWidth(widths[i]);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setIndent(2);
        addWidget(label);
        m_panels.push_back(label);
    }
}

QString TStatusBar::PanelText(int index) const {
    QLabel* p = Panel(index);
    return p ? p->text() : QString();
}

void TStatusBar::setPanelText(int index, const QString& text) {
    if (QLabel* p = Panel(index))
        p->setText(text);
}

QLabel* TStatusBar::Panel(int index) const {
    if (index < 0 || index >= static_cast<int>(m_panels.size()))
        return nullptr;
    return m_panels[static_cast<std::size_t>(index)];
}
