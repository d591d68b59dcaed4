// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

class QAccessibleInterface;
class QLineEdit;

namespace Accessibility {

// What screen readers read of the program's one-line text boxes. Qt 6.4.2's own interface for QLineEdit
// loops for good in textAtOffset() when a reader asks for the word or sentence at the end of the text (the
// offset of "ANN" is 3); this one answers every question about a single line directly.
QAccessibleInterface *lineEditText(QLineEdit *edit);

} // namespace Accessibility
