// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
// fraAnswer: the result view the test window brings to the front after the tenth question. It only shows
// the result lines; the scores and the lines are worked out elsewhere.

#include "test/resultview.h"

#include "test/scoring.h"
#include "ui/accessibility/accessibility.h"
#include "ui/look/appearance.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/linklabel.h"
#include "ui/widgets/textrules.h"
#include "ui/windows/twips.h"
#include "web/links.h"

#include <QIcon>
#include <QLabel>
#include <QPainter>

namespace {
constexpr std::array<TwipsRect, 3> PanelRects{{
    {90, 270, 8145, 1935},
    {90, 2235, 8145, 1935},
    {90, 4200, 8145, 1935},
}};
// Within a panel. The result line keeps only its top left corner: it takes the size of its text.
constexpr TwipsRect ResultLineRect{120, 30, 0, 0};
constexpr TwipsRect FocusHeadingRect{120, 285, 1650, 210};
constexpr TwipsRect FocusTextRect{1800, 285, 4800, 210};
constexpr TwipsRect DescriptionRect{120, 510, 6600, 1395};
constexpr TwipsRect PictureRect{6795, 60, 1290, 1785};

const QString FocusHeading = QStringLiteral("Center of focus :-");
// Seen by nobody: the labels get their real text in the same step that shows the view.
const QString ResultLinePlaceholder = QStringLiteral("Label5");

const QString EndomorphDescription = QStringLiteral("Your body is round, soft and curvy with all the mass "
                                                    "accumulated on the abdomen. Your arms are short and "
                                                    "tapering. You have a large bone structure. There are no "
                                                    "bones jutting out and the body is smoothly curved. "
                                                    "The head is large and the face is broad. You have a "
                                                    "tendency to become obese. Exercises are a must so that "
                                                    "the fat is distributed and you have better metabolism. "
                                                    "You find it difficult to lose weight. Have frequent "
                                                    "but small meals. Avoid sweets and high calorie intake.");
const QString MesomorphDescription = QStringLiteral(
    "Your body is square in shape with well-defined bones and muscles. Both the arms and legs are "
    "well-developed. You have an athletic build. You tend to gain muscle mass very easily. You are fit "
    "otherwise "
    "but need to exercise to maintain a naturally healthy body. Exercise with moderate to heavy weights. "
    "Follow "
    "a normal healthy intake of food to remain lean and muscular.");
const QString EctomorphDescription = QStringLiteral(
    "Your body is fragile and delicate. You are long and narrow. The arms and legs are thin and do not have "
    "much strength. You have a thin and lean appearance. You have narrow waists, hips and shoulders. You "
    "also "
    "tend to lose weight very easily. You need to put on body weight in the form of good muscle tissue. "
    "Weight "
    "training should be done but not too often. Food intake should be high in calories.");
// Draws its picture from the vector source at paint time, for the screen's scale, so it stays sharp. Through
// Qt's SVG icon plugin: the program itself then links no SVG library, which start-up would have to load.
class Illustration : public QWidget
{
public:
    Illustration(const QString &source, QWidget *parent) : QWidget(parent), m_picture(source) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        m_picture.paint(&painter, rect());
    }

private:
    QIcon m_picture;
};
} // namespace

// Each panel's names and texts, top to bottom.
struct ResultView::PanelRow
{
    const char16_t *frame;
    const char16_t *resultLine;
    const char16_t *focusHeading;
    const char16_t *focusTextName;
    const char16_t *focusText;
    const char16_t *picture;
    const char16_t *drawing;
    const char16_t *drawingName;
};

namespace {
constexpr std::array<ResultView::PanelRow, 3> PanelRows{{
    {u"Frame1", u"lblEN", u"Label5", u"lblENCenterOfFocus", u"Abdomen, Digestive System", u"Picture3",
     u":/endomorph.svg", u"Round build, front and side"},
    {u"Frame19", u"lblM", u"Label6", u"lblMCenterOfFocus", u"Muscles, Circulatory System", u"Picture2",
     u":/mesomorph.svg", u"Athletic build, front and side"},
    {u"Frame16", u"lblEC", u"Label13", u"lblECCenterOfFocus", u"Brain, Nervous System", u"Picture1",
     u":/ectomorph.svg", u"Thin build, front and side"},
}};

} // namespace

ResultView::ResultView(QWidget *parent) : QGroupBox(QStringLiteral("Kaltrix Results"), parent)
{
    named(this, QStringLiteral("fraAnswer"));
    // The caption's font; each panel sets the window font back for its own contents.
    setFont(verdana(9.75, true));
    setBackground(this, Colors::LightBlue);
    // The view takes the focus when it comes to the front: a screen reader then reads its name and the
    // three result lines, its description. Tab goes on panel by panel.
    setFocusPolicy(Qt::TabFocus);

    Label14 = named(new LinkLabel(EndomorphDescription), QStringLiteral("Label14"), EndomorphDescription);
    Label15 = named(new QLabel(MesomorphDescription), QStringLiteral("Label15"));
    Label16 = named(new QLabel(EctomorphDescription), QStringLiteral("Label16"));
    const std::array<QLabel *, 3> descriptions{Label14, Label15, Label16};
    const std::array<QLabel **, 3> resultLines{&lblEN, &lblM, &lblEC};
    for (int i = 0; i < 3; ++i)
        *resultLines[i] = createPanel(PanelRows[i], i, descriptions[i]);

    connect(Label14, &LinkLabel::clicked, this, &modHelp::OpenFullBrandPage);
}

QLabel *ResultView::createPanel(const PanelRow &row, int position, QLabel *description)
{
    auto *panel = new QGroupBox(this);
    auto *resultLine = new QLabel(panel);
    Accessibility::labelBy(panel, resultLine);
    named(panel, text(row.frame));
    panel->setGeometry(PanelRects[position].toPixels());
    panel->setFocusPolicy(Qt::TabFocus);
    panels[position] = panel;
    panel->setFont(verdana(8.25));
    setBackground(panel, Colors::LightBlue);
    setForeground(panel, Qt::black);

    resultLine->setText(ResultLinePlaceholder);
    named(resultLine, text(row.resultLine));
    resultLine->setFont(verdana(9.75, true));
    resultLine->move(ResultLineRect.toPixels().topLeft());
    resultLine->adjustSize();

    auto *heading = named(new QLabel(FocusHeading, panel), text(row.focusHeading));
    heading->setFont(verdana(8.25, true));
    heading->setGeometry(FocusHeadingRect.toPixels());

    auto *focusText = named(new QLabel(text(row.focusText), panel), text(row.focusTextName));
    focusText->setGeometry(FocusTextRect.toPixels());
    heading->setBuddy(focusText);

    description->setParent(panel);
    description->setGeometry(DescriptionRect.toPixels());
    description->setTextFormat(Qt::PlainText);
    description->setWordWrap(true);
    description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Screen readers read a focused frame's unrelated labels. Every label here belongs to something, so the
    // view reads as its name and description (the three result lines), and Tab on a panel as its result
    // line and its description.
    description->setBuddy(panel);
    panel->setAccessibleDescription(description->text());

    auto *picture =
        named(new Illustration(text(row.drawing), panel), text(row.picture), text(row.drawingName));
    picture->setGeometry(PictureRect.toPixels());
    picture->setAccessibleDescription(
        QStringLiteral("Drawing of a man in shorts seen from the front and from the side, "
                       "with the build of this body type"));

    return resultLine;
}

void ResultView::showResultLines()
{
    lblM->setText(strMesomorphResult);
    lblEN->setText(strEndomorphResult);
    lblEC->setText(strEctomorphResult);
    QStringList lines;
    for (QLabel *line : {lblEN, lblM, lblEC}) {
        line->adjustSize();
        lines.append(line->text());
        // Said again, so that a reader which read the panel before it had a result asks afresh.
        line->parentWidget()->setAccessibleName(line->text());
    }
    setAccessibleDescription(lines.join(QStringLiteral(". ")));
}
