// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include "test/catalogue.h"

#include <QGroupBox>

#include <array>

class LinkLabel;
class QLabel;

// fraAnswer: the test window's result view. Three panels in a fixed order, Endomorph, Mesomorph,
// Ectomorph, each with its result line, centre of focus, description and illustration.
class ResultView : public QGroupBox
{
    Q_OBJECT

public:
    explicit ResultView(QWidget *parent = nullptr);

    // Puts the program-wide result lines into the three result-line labels.
    void showResultLines();

    QLabel *lblEN = nullptr;
    QLabel *lblM = nullptr;
    QLabel *lblEC = nullptr;
    LinkLabel *Label14 = nullptr;
    QLabel *Label15 = nullptr;
    QLabel *Label16 = nullptr;
    // Frame1, Frame19 and Frame16, top to bottom: Tab visits them after the view itself.
    std::array<QGroupBox *, 3> panels{};

    struct PanelRow;

private:
    QLabel *createPanel(const PanelRow &row, int position, QLabel *description);
};
