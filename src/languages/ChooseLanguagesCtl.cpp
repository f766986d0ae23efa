#include "ChooseLanguagesCtl.h"

#include "ProgramPicture.h"
#include "UiFont.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <stdexcept>

namespace {

constexpr int ClientWidth = 374;
constexpr int ClientHeight = 192;

QPushButton* makeLanguageButton(QWidget* parent, const char* name, int top)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(184, top, 160, 50);
    QFont font = ClassicUiFont();
    font.setPointSize(12);
    font.setBold(true);
    button->setFont(font);
    return button;
}

}  // namespace

TfrmChooseLanguages::TfrmChooseLanguages(QWidget* owner)
    // The title bar keeps its window menu but loses the close box.
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
{
    setObjectName(QStringLiteral("frmChooseLanguages"));
    setFont(ClassicUiFont());
    resize(ClientWidth, ClientHeight);
    setWindowIcon(ProgramIcon());

    gbxLanguages = new QGroupBox(this);
    gbxLanguages->setObjectName(QStringLiteral("gbxLanguages"));
    gbxLanguages->setGeometry(4, 4, 365, 181);

    imgLogo = new QLabel(gbxLanguages);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->move(16, 24);
    imgLogo->setPixmap(ProgramPicture());
    imgLogo->adjustSize();

    bbtnFrench = makeLanguageButton(gbxLanguages, "bbtnFrench", 24);
    bbtnDutch = makeLanguageButton(gbxLanguages, "bbtnDutch", 104);
    // Neither is the default button: Enter and Space act on the one with the
    // focus, which starts on French.
    bbtnFrench->setDefault(false);
    bbtnDutch->setDefault(false);
    setTabOrder(bbtnFrench, bbtnDutch);
    bbtnFrench->setFocus();

    connect(bbtnFrench, &QPushButton::clicked, this, [this] { Choose(lgFR); });
    connect(bbtnDutch, &QPushButton::clicked, this, [this] { Choose(lgNL); });
}

void TfrmChooseLanguages::SetLanguagesMgr(TLanguagesMgrCls& languagesMgr)
{
    FLanguagesMgr = &languagesMgr;
}

void TfrmChooseLanguages::UpdateTexts(TLanguage language)
{
    if (FLanguagesMgr == nullptr) {
        throw std::logic_error("TfrmChooseLanguages::UpdateTexts before SetLanguagesMgr");
    }
    setWindowTitle(FLanguagesMgr->GetTextFor(TText::ProgramName, language));
    gbxLanguages->setTitle(FLanguagesMgr->GetTextFor(TText::ChooserPrompt, language));
    bbtnFrench->setText(FLanguagesMgr->GetTextFor(TText::ChooserFrench, language));
    bbtnDutch->setText(FLanguagesMgr->GetTextFor(TText::ChooserDutch, language));
}

TModalResult TfrmChooseLanguages::ShowModal()
{
    return ModalResultOf(exec());
}

void TfrmChooseLanguages::reject() { }

void TfrmChooseLanguages::Choose(TLanguage language)
{
    if (FLanguagesMgr != nullptr) {
        FLanguagesMgr->Language = language;
    }
    done(mrOk);
}
