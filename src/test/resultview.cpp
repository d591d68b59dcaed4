// fraAnswer: the result view the test window brings to the front after the tenth question. It only shows
// the result lines; the scores and the lines are worked out elsewhere.

#include "test/resultview.h"

#include "test/scoring.h"
#include "ui/accessibility.h"
#include "ui/linklabel.h"
#include "ui/style.h"
#include "ui/twips.h"
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

struct ResultView::PanelNames
{
    QString panel;
    QString resultLine;
    QString focusHeading;
    QString focusTextName;
    QString focusText;
    QString picture;
    QString illustration;
    QString illustrationName;
};

ResultView::ResultView(QWidget *parent) : QGroupBox(QStringLiteral("Kaltrix Results"), parent)
{
    setObjectName(QStringLiteral("fraAnswer"));
    // The caption's font; each panel sets the window font back for its own contents.
    setFont(verdana(9.75, true));
    setBackground(this, Colors::LightBlue);
    // The view takes the focus when it comes to the front: a screen reader then reads its name and the
    // three result lines, its description. Tab goes on panel by panel.
    setFocusPolicy(Qt::TabFocus);

    Label14 = new LinkLabel(EndomorphDescription);
    Label15 = new QLabel(MesomorphDescription);
    Label16 = new QLabel(EctomorphDescription);
    Label14->setObjectName(QStringLiteral("Label14"));
    Label15->setObjectName(QStringLiteral("Label15"));
    Label16->setObjectName(QStringLiteral("Label16"));
    Label14->setAccessibleName(EndomorphDescription);

    lblEN = createPanel({QStringLiteral("Frame1"), QStringLiteral("lblEN"), QStringLiteral("Label5"),
                         QStringLiteral("lblENCenterOfFocus"), QStringLiteral("Abdomen, Digestive System"),
                         QStringLiteral("Picture3"), QStringLiteral(":/endomorph.svg"),
                         QStringLiteral("Round build, front and side")},
                        0, Label14);
    lblM = createPanel({QStringLiteral("Frame19"), QStringLiteral("lblM"), QStringLiteral("Label6"),
                        QStringLiteral("lblMCenterOfFocus"), QStringLiteral("Muscles, Circulatory System"),
                        QStringLiteral("Picture2"), QStringLiteral(":/mesomorph.svg"),
                        QStringLiteral("Athletic build, front and side")},
                       1, Label15);
    lblEC = createPanel({QStringLiteral("Frame16"), QStringLiteral("lblEC"), QStringLiteral("Label13"),
                         QStringLiteral("lblECCenterOfFocus"), QStringLiteral("Brain, Nervous System"),
                         QStringLiteral("Picture1"), QStringLiteral(":/ectomorph.svg"),
                         QStringLiteral("Thin build, front and side")},
                        2, Label16);

    connect(Label14, &LinkLabel::clicked, this, &ResultView::Label14_Click);
}

QLabel *ResultView::createPanel(const PanelNames &names, int position, QLabel *description)
{
    auto *panel = new QGroupBox(this);
    auto *resultLine = new QLabel(panel);
    Accessibility::labelBy(panel, resultLine);
    panel->setObjectName(names.panel);
    panel->setGeometry(PanelRects[position].toPixels());
    panel->setFocusPolicy(Qt::TabFocus);
    panels[position] = panel;
    panel->setFont(verdana(8.25));
    setBackground(panel, Colors::LightBlue);
    setForeground(panel, Qt::black);

    resultLine->setText(ResultLinePlaceholder);
    resultLine->setObjectName(names.resultLine);
    resultLine->setFont(verdana(9.75, true));
    resultLine->move(ResultLineRect.toPixels().topLeft());
    resultLine->adjustSize();

    auto *heading = new QLabel(FocusHeading, panel);
    heading->setObjectName(names.focusHeading);
    heading->setFont(verdana(8.25, true));
    heading->setGeometry(FocusHeadingRect.toPixels());

    auto *focusText = new QLabel(names.focusText, panel);
    focusText->setObjectName(names.focusTextName);
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

    auto *picture = new Illustration(names.illustration, panel);
    picture->setObjectName(names.picture);
    picture->setGeometry(PictureRect.toPixels());
    picture->setAccessibleName(names.illustrationName);
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

void ResultView::Label14_Click()
{
    modHelp::OpenFullBrandPage();
}
