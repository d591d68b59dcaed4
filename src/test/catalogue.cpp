// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "test/catalogue.h"

namespace {
constexpr BodyType Ecto = BodyType::Ectomorph;
constexpr BodyType Endo = BodyType::Endomorph;
constexpr BodyType Meso = BodyType::Mesomorph;
} // namespace

QString bodyTypeName(BodyType type)
{
    switch (type) {
    case BodyType::Ectomorph:
        return QStringLiteral("Ectomorph");
    case BodyType::Endomorph:
        return QStringLiteral("Endomorph");
    case BodyType::Mesomorph:
        return QStringLiteral("Mesomorph");
    }
    Q_UNREACHABLE();
    return {};
}

// The blanks are deliberate: two after "4." and one at the end of "That I look fine ".
// clang-format off
const std::array<Question, QuestionCount> QuestionCatalogue{{
    {u"fra1", u"Label1", u"1. My body appearance is", u"optQa",
     {{{u"Flabby", Endo}, {u"Hard And Muscular", Meso}, {u"Thin And Skinny", Ecto}}}},
    {u"fra2", u"Label4", u"2. My body looks", u"optQb",
     {{{u"Athletic and Rugged", Meso}, {u"Long and Fragile", Ecto}, {u"Round and soft", Endo}}}},
    {u"fra3", u"Label3", u"3. My muscles grow", u"optQc",
     {{{u"Very Quickly", Meso}, {u"Very Slowly", Ecto}, {u"Very Easily", Endo}}}},
    {u"fra4", u"Label2", u"4.  Weight Issues", u"optQd",
     {{{u"I have trouble losing weight", Endo}, {u"I have trouble gaining weight", Ecto},
       {u"I can gain and lose weight easily", Meso}}}},
    {u"fra5", u"Label7", u"5. By nature I am very", u"optQE",
     {{{u"Loving And Comforting", Endo}, {u"Aggressive And Active", Meso},
       {u"Self Aware And Intellectual", Ecto}}}},
    {u"fra6", u"Label8", u"6. My bone structure is", u"optQF",
     {{{u"Frail And Delicate", Ecto}, {u"Very Large", Endo}, {u"Large To Medium", Meso}}}},
    {u"fra7", u"Label9", u"7. My activity level is", u"optQg",
     {{{u"Sedentary", Endo}, {u"Fairly Active", Ecto}, {u"Over active", Meso}}}},
    {u"fra8", u"Label10", u"8. My approach to life is", u"optQh",
     {{{u"Laid back", Endo}, {u"Dynamic", Meso}, {u"Worrisome", Ecto}}}},
    {u"fra9", u"Label11", u"9. People tell me", u"optQI",
     {{{u"That I look fine ", Meso}, {u"I should lose some weight", Endo}, {u"I should gain some weight", Ecto}}}},
    {u"fra10", u"Label12", u"10. My metabolism is", u"optQj",
     {{{u"Too fast", Ecto}, {u"Slow", Endo}, {u"Just right", Meso}}}},
}};
// clang-format on
