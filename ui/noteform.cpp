#include "ui/noteform.h"

#include "platform/application.h"

#include <QIcon>
#include <QLocale>
#include <QScreen>

#include <algorithm>
#include <limits>

QString TextTooLong(const TText& text, const QString& field) {
    if (text.size() <= MaxTextBytes)
        return {};
    const QLocale locale;
    return QStringLiteral("The %1 is too long: it takes %2 bytes, %3 more than the %4 bytes the "
                          "data file can hold for it. Shorten it by at least that much.")
        .arg(field, locale.toString(qulonglong(text.size())),
             locale.toString(qulonglong(text.size() - MaxTextBytes)),
             locale.toString(qulonglong(MaxTextBytes)));
}

namespace {

QString bodyToControl(const TText& body) {
    QString text = ToQString(body);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

// The control's text with its paragraph and line separators as '\n'.
QString controlText(const QPlainTextEdit& edit) {
    // The raw text keeps non-breaking spaces, which toPlainText() would turn into spaces.
    QString text = edit.document()->toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = QLatin1Char('\n');
    return text;
}

} // namespace

TNoteForm::TNoteForm(QWidget* owner) : TForm(owner) {
    setupUi(this);
    setFixedSize(size());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    fitToFont();
    // A title may be as long as the data file allows; the line edit would cut it at 32,767.
    Edit1->setMaxLength(std::numeric_limits<int>::max());
    BitBtn1->setIcon(QIcon(QStringLiteral(":/icons/ok.svg")));
    BitBtn2->setIcon(QIcon(QStringLiteral(":/icons/cancel.svg")));
    // Whatever escapes a handler is shown in the standard exception display.
    connect(BitBtn1, &QPushButton::clicked, this,
            [this] { Application->Guard([this] { BitBtn1Click(); }); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { setModalResult(mrCancel); });
}

void TNoteForm::fitToFont() {
    // The dialog font may be wider than the one the positions were drawn for: the labels and
    // the check box take what their texts need, and the boxes start after the wider label.
    const int right = ComboBox1->x() + Edit1->width() + (Edit1->x() - ComboBox1->x());
    for (QWidget* label : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2)})
        label->resize(label->sizeHint().width(), label->height());
    const int left =
        std::max(ComboBox1->x(), std::max(Label1->width(), Label2->width()) + Label1->x() + 4);
    ComboBox1->move(left, ComboBox1->y());
    Edit1->setGeometry(left, Edit1->y(), right - left, Edit1->height());
    const int checkWidth = std::max(CheckBox1->width(), CheckBox1->sizeHint().width());
    CheckBox1->setGeometry(right - checkWidth, CheckBox1->y(), checkWidth, CheckBox1->height());
}

TText TNoteForm::Title() const {
    const QString text = Edit1->text();
    return text == ToQString(m_title) ? m_title : FromQString(text);
}

void TNoteForm::setTitle(const TText& title) {
    m_title = title;
    Edit1->setText(ToQString(title));
}

TText TNoteForm::Body() const {
    QString text = controlText(*RichEdit1);
    if (text == m_shownBody)
        return m_body;
    text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return FromQString(text);
}

void TNoteForm::setBody(const TText& body) {
    m_body = body;
    RichEdit1->setPlainText(bodyToControl(body));
    // What the control makes of the body (a lone CR or LF becomes a paragraph break).
    m_shownBody = controlText(*RichEdit1);
}

void TNoteForm::selectCategory(const TText& category) {
    const QString wanted = ToQString(category).toCaseFolded();
    for (int i = 0; i < ComboBox1->count(); ++i) {
        if (QString::localeAwareCompare(ComboBox1->itemText(i).toCaseFolded(), wanted) == 0) {
            ComboBox1->setCurrentIndex(i);
            return;
        }
    }
    ComboBox1->setCurrentIndex(-1);
}

TText TNoteForm::Category() const {
    const int index = ComboBox1->currentIndex();
    if (index < 0)
        return {};
    // The pickers keep each name's bytes beside its shown text.
    const QByteArray bytes = ComboBox1->itemData(index).toByteArray();
    if (!bytes.isNull())
        return TText(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return FromQString(ComboBox1->itemText(index));
}

void TNoteForm::FormShow() {
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    Edit1->setFocus();
}

void TNoteForm::BitBtn1Click() {
    const std::pair<TText, QString> fields[] = {
        {Title(), QStringLiteral("title")},
        {Category(), QStringLiteral("category")},
        {Body(), QStringLiteral("body")},
    };
    for (const auto& [text, name] : fields) {
        const QString problem = TextTooLong(text, name);
        if (!problem.isEmpty()) {
            Application->MessageBox(problem, QStringLiteral("Text Too Long"),
                                    MB_OK | MB_ICONWARNING);
            return;
        }
    }
    setModalResult(mrOk);
}
