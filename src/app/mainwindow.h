// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include "ui/windows/form.h"

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class LinkLabel;
class PageStack;

// frmMain: the first window. Takes the first name, starts the test and offers the web actions. Start-up
// shows it; it hides while a test runs, and closing it hands over to the exit screen.
class frmMain : public Form
{
    Q_OBJECT

public:
    frmMain();
    ~frmMain() override;

    bool ValidateFirstName();

    // The two branding labels share one rectangle; only the one in front is seen.
    void bringCobrandToFront();
    void bringFullBrandToFront();

    QLineEdit *txtFirstName = nullptr;
    QPushButton *cmdNext = nullptr;
    QPushButton *cmdExit = nullptr;
    LinkLabel *Label61 = nullptr;
    LinkLabel *Label2 = nullptr;
    LinkLabel *lblCobrand = nullptr;
    LinkLabel *lblFullBrand = nullptr;

protected:
    void Form_Unload() override;

private slots:
    void cmdNext_Click();
    void mnuNext_Click();
    void cmdExit_Click();
    void mnuExit_Click();

private:
    void createControls();
    void createMenus();
    void setTabOrder();
    void txtFirstName_KeyPress(int &keyAscii);

    std::unique_ptr<PageStack> m_branding;
};
