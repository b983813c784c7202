#include "ui/aboutform.h"

#include "platform/application.h"

#include <QFont>
#include <QIcon>
#include <QTextBlock>
#include <QTextCursor>

TAboutForm::TAboutForm(QWidget* owner) : TForm(owner) {
    setupUi(this);
    setObjectName(QStringLiteral("AboutForm"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    setFont(font);
    setFixedSize(239, 150);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    QPalette face = Memo1->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    Memo1->setPalette(face);
    Memo1->setFrameShape(QFrame::NoFrame);

    QTextCursor line(Memo1->document()->findBlockByNumber(2));
    line.select(QTextCursor::LineUnderCursor);
    line.insertText(Application ? Application->Title() : QString());
    QTextOption centred = Memo1->document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    Memo1->document()->setDefaultTextOption(centred);
    // The application's icon stands over the two empty lines that open the text.
    Image1->setPixmap(QIcon(QStringLiteral(":/icons/quillbox.svg")).pixmap(24, 24));
    Image1->raise();

    // The button, first in the tab order, takes the focus when the box opens.
    Memo1->setFocusPolicy(Qt::ClickFocus);

    connect(BitBtn1, &QPushButton::clicked, this, [this] { setModalResult(mrOk); });
}
