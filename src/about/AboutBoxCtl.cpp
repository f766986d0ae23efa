#include "AboutBoxCtl.h"

#include "ApplicationCls.h"
#include "LanguagesMgrCls.h"
#include "ProgramPicture.h"
#include "UiFont.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

#include <stdexcept>

namespace {

// The paragraphs of the legal notice, in their order.
constexpr TText LegalParagraphs[]
    = {TText::LegalOwnership, TText::LegalRisk, TText::LegalAvailability, TText::LegalLiability};

// The credit lines are joined by a line feed followed by a carriage return,
// in that order, as the box has always done.
const QString CreditSeparator = QStringLiteral("\n\r");

constexpr int ClientWidth = 506;
constexpr int ClientHeight = 452;
constexpr int PictureSize = 80;

// Holds its caption character for character but draws a carriage return as
// nothing: the toolkit would draw it as a blank at the start of the line.
class TCreditsLabel final : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QString shown = text();
        shown.remove(QLatin1Char('\r'));
        style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()) | Qt::TextWordWrap, palette(),
            isEnabled(), shown, foregroundRole());
    }
};

QLabel* makeLabel(QWidget* parent, const char* name, int left, int top, QLabel* label = nullptr)
{
    if (label == nullptr) {
        label = new QLabel(parent);
    }
    label->setObjectName(QString::fromLatin1(name));
    label->move(left, top);
    return label;
}

}  // namespace

TAboutBoxFrm::TAboutBoxFrm(QWidget* owner)
    : QDialog(owner,
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
            | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("AboutBoxFrm"));
    setFont(ClassicUiFont());
    setFixedSize(ClientWidth, ClientHeight);
    setWindowTitle(QStringLiteral("A propos"));
    setWindowIcon(ProgramIcon());

    pnlAbout = new QFrame(this);
    pnlAbout->setObjectName(QStringLiteral("pnlAbout"));
    pnlAbout->setGeometry(8, 8, 281, 169);
    // A lowered outer bevel round a raised inner one reads as a groove.
    pnlAbout->setFrameStyle(QFrame::Box | QFrame::Sunken);

    imgProgram = makeLabel(pnlAbout, "imgProgram", 4, 4);
    imgProgram->resize(PictureSize, PictureSize);
    imgProgram->setPixmap(
        ProgramPicture().scaled(PictureSize, PictureSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));

    lblProductName = makeLabel(pnlAbout, "lblProductName", 88, 16);
    lblVersion = makeLabel(pnlAbout, "lblVersion", 88, 40);
    lblCopyright = makeLabel(pnlAbout, "lblCopyright", 8, 88);
    lblComments = makeLabel(pnlAbout, "lblComments", 8, 112, new TCreditsLabel(pnlAbout));
    lblComments->setFixedSize(265, 49);
    lblComments->setWordWrap(true);
    lblComments->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setGeometry(295, 8, 75, 25);
    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, [this] { done(mrOk); });

    lblLegalPolicies = makeLabel(this, "lblLegalPolicies", 8, 183);
    lblLegalPolicies->setFixedSize(490, 27);
    lblLegalPolicies->setWordWrap(true);
    lblLegalPolicies->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont bold = lblLegalPolicies->font();
    bold.setBold(true);
    lblLegalPolicies->setFont(bold);

    memLegalPolicies = new QPlainTextEdit(this);
    memLegalPolicies->setObjectName(QStringLiteral("memLegalPolicies"));
    memLegalPolicies->setGeometry(8, 216, 490, 225);
    memLegalPolicies->setReadOnly(true);
    memLegalPolicies->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memLegalPolicies->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memLegalPolicies->setPlainText(QStringLiteral("memLegalPolicies"));

    setTabOrder(btnOk, memLegalPolicies);
}

void TAboutBoxFrm::SetReferences(TLanguagesMgrCls& languagesMgr, const TApplicationCls& applicationInfo)
{
    FLanguagesMgr = &languagesMgr;
    FApplicationInfo = &applicationInfo;
}

void TAboutBoxFrm::UpdateTexts()
{
    if (FLanguagesMgr == nullptr || FApplicationInfo == nullptr) {
        throw std::logic_error("TAboutBoxFrm::UpdateTexts before SetReferences");
    }
    const TLanguagesMgrCls& texts = *FLanguagesMgr;
    setWindowTitle(texts.GetText(TText::AboutCaption));
    lblProductName->setText(texts.GetText(TText::AboutProduct));
    lblProductName->adjustSize();
    lblVersion->setText(texts.GetText(TText::VersionWord) + QLatin1Char(' ')
        + QString::fromStdString(FApplicationInfo->GetFileVersion()));
    lblVersion->adjustSize();
    lblCopyright->setText(texts.GetText(TText::AboutCopyright));
    lblCopyright->adjustSize();
    lblComments->setText(
        texts.GetText(TText::AboutCreditModel) + CreditSeparator + texts.GetText(TText::AboutCreditProjectManagement));
    lblLegalPolicies->setText(texts.GetText(TText::LegalHeading));

    QStringList lines;
    for (const TText paragraph : LegalParagraphs) {
        if (!lines.isEmpty()) {
            lines << QString();
        }
        lines << texts.GetText(paragraph);
    }
    memLegalPolicies->setPlainText(lines.join(QLatin1Char('\n')));
}

TModalResult TAboutBoxFrm::ShowModal()
{
    return ModalResultOf(exec());
}
