// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QDialog>

class LinkLabel;
class QPushButton;

// frmAbout: the modal About box of the main and test windows' Help menus. Created for each showing and
// destroyed when closed; Enter, Esc, OK and the close box all close it.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);

    // Shows a new About box modally over the given window and returns once it has been closed.
    static void showModal(QWidget *parent);

    LinkLabel *lblHomePage = nullptr;
    LinkLabel *lblCobrand = nullptr;
    QPushButton *cmdOK = nullptr;

private slots:
    void lblHomePage_Click();
    void lblCobrand_Click();
    void cmdOK_Click();

private:
    void createControls();
};
