// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
// frmDisplay: the test window. The main window's "Take The Body Type &Test" creates one for each test and
// shows it on question 1. Next moves one way through the ten question pages and then to the result view.
// Back shows the main window again and destroys this one; File > Exit or the close box destroys it and
// leaves the user on the exit screen.

#include "test/testwindow.h"

#include "test/resultview.h"
#include "test/scoring.h"
#include "ui/accessibility/accessibility.h"
#include "ui/look/appearance.h"
#include "ui/system/platform.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/linklabel.h"
#include "ui/widgets/pagestack.h"
#include "ui/windows/navigation.h"
#include "web/sharedlinks.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <initializer_list>

namespace {
constexpr QSize ClientSize = twipsSize(8325, 7650);
constexpr TwipsRect Frame2Rect{0, 0, 8325, 615};
constexpr TwipsRect Label61Rect{120, 75, 8085, 465};
// The question area and the result view share this rectangle.
constexpr TwipsRect AreaRect{0, 600, 8325, 6255};
constexpr TwipsRect Frame5Rect{0, 6840, 8325, 800};
constexpr TwipsRect BrandingRect{120, 45, 6840, 735};
constexpr TwipsRect cmdBackRect{7080, 180, 1125, 435};

// One question page, relative to the question area, and its contents relative to the page.
constexpr TwipsRect PageRect{120, 0, 8085, 6195};
constexpr TwipsRect QuestionFrameRect{240, 360, 7605, 1215};
constexpr TwipsRect HeadingRect{240, 420, 7125, 465}; // within the "Question" frame
constexpr TwipsRect AnswerFrameRect{240, 1860, 7605, 2895};
constexpr std::array<TwipsRect, 3> OptionRects{{
    // within the "Answer" frame
    {360, 540, 6885, 375},
    {360, 1320, 6885, 375},
    {360, 2100, 6885, 375},
}};
constexpr TwipsRect NextRect{6480, 5220, 1365, 435};

// A grey frame; one labelled by a label is known to screen readers by that label alone, as a filler.
QGroupBox *greyFrame(const QString &caption, QWidget *parent, const TwipsRect &rect, QLabel *label = nullptr)
{
    auto *frame = new QGroupBox(parent);
    if (label) {
        Accessibility::setRole(frame, QAccessible::Client);
        Accessibility::labelBy(frame, label);
    }
    frame->setTitle(caption);
    frame->setGeometry(rect.toPixels());
    setBackground(frame, Colors::Grey);
    setForeground(frame, Qt::black);
    return frame;
}
} // namespace

frmDisplay::frmDisplay()
    : Form(ClientSize, true, Colors::LightBlue), m_pages(std::make_unique<PageStack>()),
      m_areas(std::make_unique<PageStack>()), m_branding(std::make_unique<PageStack>())
{
    named(this, QStringLiteral("frmDisplay"));
    setWindowTitle(windowCaption());
    createControls();
    createMenus();
    setTabOrder();
    bringFirstQuestionToFront();
    bringQuestionAreaToFront();
    optionGroups[0][0]->setFocus();
}

frmDisplay::~frmDisplay() = default;

void frmDisplay::createControls()
{
    QWidget *area = client();

    auto *Frame2 = named(new QFrame(area), QStringLiteral("Frame2"));
    Frame2->setGeometry(Frame2Rect.toPixels());
    Label61 = createLabel61(Frame2, Label61Rect.toPixels(), LinkWindow::Test);

    fraQuestion = named(new QFrame(area), QStringLiteral("fraQuestion"));
    fraQuestion->setGeometry(AreaRect.toPixels());
    setBackground(fraQuestion, Colors::LightBlue);
    createQuestionPages();

    fraAnswer = new ResultView(area);
    fraAnswer->setGeometry(AreaRect.toPixels());

    m_areas->add(fraAnswer);
    m_areas->add(fraQuestion);

    createBottomBar();
}

void frmDisplay::createQuestionPages()
{
    using Handler = void (frmDisplay::*)();
    static constexpr std::array<Handler, QuestionCount> NextHandlers{
        &frmDisplay::cmdNext1_Click,  &frmDisplay::cmdNext2_Click, &frmDisplay::cmdNext3_Click,
        &frmDisplay::cmdNext4_Click,  &frmDisplay::cmdNext5_Click, &frmDisplay::cmdNext6_Click,
        &frmDisplay::cmdNext7_Click,  &frmDisplay::cmdNext8_Click, &frmDisplay::cmdNext9_Click,
        &frmDisplay::cmdNext10_Click,
    };

    for (int q = 0; q < QuestionCount; ++q) {
        const Question &question = QuestionCatalogue[q];
        const QString number = QString::number(q + 1);

        auto *page = named(new QGroupBox(QStringLiteral("Choose one of the following options"), fraQuestion),
                           question.page.toString());
        page->setGeometry(PageRect.toPixels());
        setBackground(page, Colors::LightBlue);
        setForeground(page, Qt::black);
        pages[q] = page;

        QGroupBox *questionFrame = named(greyFrame(QStringLiteral("Question"), page, QuestionFrameRect),
                                         QStringLiteral("fraQuestionText") + number);
        auto *heading =
            named(new QLabel(question.heading.toString(), questionFrame), question.headingLabel.toString());
        heading->setGeometry(HeadingRect.toPixels());
        heading->setFont(verdana(9));
        headings[q] = heading;

        // Screen readers name the options' group by the question and speak it with the chosen option.
        QGroupBox *answerFrame = named(greyFrame(QStringLiteral("Answer"), page, AnswerFrameRect, heading),
                                       QStringLiteral("fraAnswerOptions") + number);
        // The three options share the group's name, index 0 first, as one control array.
        for (int i = 0; i < 3; ++i) {
            const QString caption = question.options[i].caption.toString();
            auto *option = named(new QRadioButton(caption, answerFrame), question.group.toString(), caption);
            option->setGeometry(OptionRects[i].toPixels());
            // The indicator stays white so the choice reads clearly on the grey frame.
            QPalette palette = option->palette();
            palette.setColor(QPalette::Base, Qt::white);
            option->setPalette(palette);
            optionGroups[q][i] = option;
        }
        optionGroups[q][0]->setChecked(true);

        auto *next = named(new QPushButton(QStringLiteral("&Next"), page), QStringLiteral("cmdNext") + number,
                           QStringLiteral("Next"));
        next->setGeometry(NextRect.toPixels());
        setBackground(next, Colors::Grey);
        setForeground(next, Qt::black);
        // Enter presses a focused button, as Space does; in a window that is no dialog this makes no
        // default button, so Enter elsewhere still presses nothing.
        next->setAutoDefault(true);
        connect(next, &QPushButton::clicked, this, NextHandlers[q]);
        nextButtons[q] = next;

        m_pages->add(page);
    }
}

void frmDisplay::createBottomBar()
{
    auto *Frame5 = named(new QFrame(client()), QStringLiteral("Frame5"));
    Frame5->setGeometry(Frame5Rect.toPixels());

    cmdBack = named(new QPushButton(QStringLiteral("&Back"), Frame5), QStringLiteral("cmdBack"),
                    QStringLiteral("Back"));
    cmdBack->setGeometry(cmdBackRect.toPixels());
    cmdBack->setAutoDefault(true);
    connect(cmdBack, &QPushButton::clicked, this, &frmDisplay::cmdBack_Click);

    const BrandingLabels branding = createBrandingLabels(Frame5, BrandingRect.toPixels(), *m_branding);
    lblCobrand = branding.lblCobrand;
    // The full-branding label lies on top for the whole life of the window; nothing reorders them.
    lblFullBrand = branding.lblFullBrand;
}

void frmDisplay::createMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *mnuFile = named(bar->addMenu(QStringLiteral("&File")), QStringLiteral("mnuFile"));
    addMenuEntry(mnuFile, QStringLiteral("mnuBack"), QStringLiteral("Back"), this,
                 &frmDisplay::mnuBack_Click);
    addMenuEntry(mnuFile, QStringLiteral("mnuExit"), QStringLiteral("E&xit"), this,
                 &frmDisplay::mnuExit_Click);
    addSiteMenus(bar, this, LinkWindow::Test);
}

void frmDisplay::setTabOrder()
{
    // Page by page: the options top to bottom, then that page's Next; then the result view and its three
    // panels; Back last. Only the page in front takes part, so Tab never reaches a control the user cannot
    // see.
    QWidget *previous = nullptr;
    const auto chain = [&previous](std::initializer_list<QWidget *> widgets) {
        for (QWidget *widget : widgets) {
            if (previous)
                QWidget::setTabOrder(previous, widget);
            previous = widget;
        }
    };
    for (int q = 0; q < QuestionCount; ++q)
        chain({optionGroups[q][0], optionGroups[q][1], optionGroups[q][2], nextButtons[q]});
    chain({fraAnswer, fraAnswer->panels[0], fraAnswer->panels[1], fraAnswer->panels[2], cmdBack});
}

void frmDisplay::bringFirstQuestionToFront()
{
    m_pages->bringToFront(pages[0]);
}

void frmDisplay::bringQuestionAreaToFront()
{
    m_areas->bringToFront(fraQuestion);
}

QWidget *frmDisplay::frontPage() const
{
    return m_pages->front();
}

QWidget *frmDisplay::frontArea() const
{
    return m_areas->front();
}

void frmDisplay::ScoreAnswer(int question)
{
    const std::array<QRadioButton *, 3> &group = optionGroups[question];
    for (int i = 0; i < int(group.size()); ++i) {
        if (group[i]->isChecked()) {
            scoreAnswer(QuestionCatalogue[question], i);
            return;
        }
    }
}

void frmDisplay::goToNextPage(int question)
{
    ScoreAnswer(question);
    m_pages->bringToFront(pages[question + 1]);
}

void frmDisplay::showResult()
{
    m_areas->bringToFront(fraAnswer);
    writeResultLines();
    fraAnswer->showResultLines();
}

void frmDisplay::cmdNext1_Click()
{
    goToNextPage(0);
}

void frmDisplay::cmdNext2_Click()
{
    goToNextPage(1);
}

void frmDisplay::cmdNext3_Click()
{
    goToNextPage(2);
}

void frmDisplay::cmdNext4_Click()
{
    goToNextPage(3);
}

void frmDisplay::cmdNext5_Click()
{
    goToNextPage(4);
}

void frmDisplay::cmdNext6_Click()
{
    goToNextPage(5);
}

void frmDisplay::cmdNext7_Click()
{
    goToNextPage(6);
}

void frmDisplay::cmdNext8_Click()
{
    goToNextPage(7);
}

void frmDisplay::cmdNext9_Click()
{
    goToNextPage(8);
}

void frmDisplay::cmdNext10_Click()
{
    ScoreAnswer(9);
    showResult();
}

void frmDisplay::cmdBack_Click()
{
    QWidget &main = navigation().mainWindow();
    main.show();
    {
        // Closing shows the exit screen (loading it the first time) and going back hides it again. Kept off
        // the screen for that moment, it never takes the keyboard from the main window.
        const ExitScreenOffScreen offScreen;
        close();
        navigation().hideExitScreen();
    }
    main.raise();
    main.activateWindow();
}

void frmDisplay::mnuBack_Click()
{
    cmdBack_Click();
}

void frmDisplay::mnuExit_Click()
{
    close();
}

void frmDisplay::Form_Unload()
{
    navigation().showExitScreen();
}
