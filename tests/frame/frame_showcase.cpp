// Shows the input/result frame alone, as the main window would set it up,
// for a look or a screenshot. Arguments: "nl" for Dutch, "compute" to run
// one computation before showing.
#include "LanguagesMgrCls.h"
#include "PICHourLTCtl.h"

#include <QApplication>
#include <QPushButton>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    TLanguagesMgrCls texts(arguments.contains(QStringLiteral("nl")) ? lgNL : lgFR);
    TPICHourLTFra frame;
    frame.SetLanguagesMgr(texts);
    frame.UpdateTexts();
    frame.SetInitialValues();
    frame.move(10, 10);
    frame.show();
    if (arguments.contains(QStringLiteral("compute"))) {
        frame.btnComputeClick();
    }
    return QApplication::exec();
}
