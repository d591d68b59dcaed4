// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QString>
#include <QStringView>

#include <array>

enum class BodyType { Ectomorph, Endomorph, Mesomorph };

QString bodyTypeName(BodyType type);

struct AnswerOption
{
    QStringView caption;
    BodyType type;
};

// One question of the test and the names its controls carry in the test window.
struct Question
{
    QStringView page;
    QStringView headingLabel;
    QStringView heading;
    QStringView group;
    std::array<AnswerOption, 3> options;
};

constexpr int QuestionCount = 10;

// The ten questions in the order they are asked; options run top to bottom, index 0 first. Nothing else
// in the program spells out a question, an option or the type an option counts for.
extern const std::array<Question, QuestionCount> QuestionCatalogue;
