// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include "ui/windows/form.h"

class LinkLabel;
class QGroupBox;
class PlaceholderField;
class PlaceholderTextField;
class QLabel;
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
    PlaceholderField *txtName = nullptr;
    PlaceholderField *txtEmail = nullptr;
    PlaceholderField *txtFriendName = nullptr;
    PlaceholderField *txtFriendEmail = nullptr;
    QPushButton *cmdSubmit = nullptr;
    PlaceholderTextField *txtMessage = nullptr;
    LinkLabel *lblGoToHome = nullptr;

protected:
    void Form_Unload() override;

private slots:
    void Check1_Click();
    void lblGoToHome_Click();
    void cmdClose_Click();
    void txtName_GotFocus();
    void txtEmail_GotFocus();
    void txtMessage_GotFocus();
    void txtFriendName_GotFocus();
    void txtFriendEmail_GotFocus();
    void txtName_LostFocus();
    void txtEmail_LostFocus();
    void txtMessage_LostFocus();
    void txtFriendName_LostFocus();
    void txtFriendEmail_LostFocus();
    void cmdSubmit_Click();

private:
    void createControls();
    void createReferAFriendPanel();
    void createCataloguePanel();
    void setTabOrder();
    void txtEmail_KeyPress(int &keyAscii);
    void txtFriendEmail_KeyPress(int &keyAscii);
    void refuseSpace(PlaceholderField *field, int &keyAscii);
};
