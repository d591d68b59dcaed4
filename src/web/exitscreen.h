#pragma once

#include "ui/form.h"

class LinkLabel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The four support messages the exit screen draws from; each names the maker's discussion site.
QStringList supportMessages();

// frmNagScreen2: the exit screen, the last window of every run. The main and test windows show it when the
// user leaves them; it stays above other programs' windows, asks for support, carries the refer-a-friend
// panel, and closing it in any way ends the program.
class frmNagScreen2 : public Form
{
    Q_OBJECT

public:
    frmNagScreen2();

    // Runs once, when the screen is first shown or hidden.
    void Form_Load();

    QLabel *Picture1 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *Check1 = nullptr;
    QPushButton *cmdClose = nullptr;
    QGroupBox *Frame2 = nullptr;
    QLineEdit *txtName = nullptr;
    QLineEdit *txtEmail = nullptr;
    QLineEdit *txtFriendName = nullptr;
    QLineEdit *txtFriendEmail = nullptr;
    QPushButton *cmdSubmit = nullptr;
    QPlainTextEdit *txtMessage = nullptr;
    LinkLabel *lblGoToHome = nullptr;

protected:
    void Form_Unload() override;

private slots:
    void Check1_Click();
    void lblGoToHome_Click();
    void cmdClose_Click();

private:
    void createControls();
    void createReferAFriendPanel();
    void createCataloguePanel();
    void setTabOrder();
};
