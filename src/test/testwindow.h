// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include "test/catalogue.h"
#include "ui/windows/form.h"

#include <array>
#include <memory>

class LinkLabel;
class PageStack;
class QGroupBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class ResultView;

// frmDisplay: the test window. Each start of a test creates one; it walks the ten questions and then shows
// the result view. Back returns to the main window, closing it shows the exit screen, and both destroy it.
class frmDisplay : public Form
{
    Q_OBJECT

public:
    frmDisplay();
    ~frmDisplay() override;

    void bringFirstQuestionToFront();
    void bringQuestionAreaToFront();

    // The question page or area the user sees now.
    QWidget *frontPage() const;
    QWidget *frontArea() const;

    LinkLabel *Label61 = nullptr;
    QFrame *fraQuestion = nullptr;
    std::array<QGroupBox *, QuestionCount> pages{};
    std::array<QLabel *, QuestionCount> headings{};
    std::array<std::array<QRadioButton *, 3>, QuestionCount> optionGroups{};
    std::array<QPushButton *, QuestionCount> nextButtons{};
    ResultView *fraAnswer = nullptr;
    QPushButton *cmdBack = nullptr;
    LinkLabel *lblCobrand = nullptr;
    LinkLabel *lblFullBrand = nullptr;

protected:
    void Form_Unload() override;

private slots:
    void cmdNext1_Click();
    void cmdNext2_Click();
    void cmdNext3_Click();
    void cmdNext4_Click();
    void cmdNext5_Click();
    void cmdNext6_Click();
    void cmdNext7_Click();
    void cmdNext8_Click();
    void cmdNext9_Click();
    void cmdNext10_Click();
    void cmdBack_Click();
    void mnuBack_Click();
    void mnuExit_Click();

private:
    void createControls();
    void createQuestionPages();
    void createBottomBar();
    void createMenus();
    void setTabOrder();

    void ScoreAnswer(int question);
    void goToNextPage(int question);
    void showResult();

    std::unique_ptr<PageStack> m_pages;
    std::unique_ptr<PageStack> m_areas;
    std::unique_ptr<PageStack> m_branding;
};
