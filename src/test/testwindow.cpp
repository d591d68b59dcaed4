#include "test/testwindow.h"

#include "app/forms.h"
#include "web/exitscreen.h"

frmDisplay::frmDisplay() : Form(twipsSize(8325, 7650), true)
{
    setObjectName(QStringLiteral("frmDisplay"));
    setWindowTitle(QStringLiteral("Kaltrix v1.0"));
}

void frmDisplay::Form_Unload()
{
    Forms::showExitScreen();
}
