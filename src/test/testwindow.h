#pragma once

#include "ui/form.h"

// Stand-in for the test window until the questions are built.
class frmDisplay : public Form
{
    Q_OBJECT

public:
    frmDisplay();

    void bringFirstQuestionToFront() {}
    void bringQuestionAreaToFront() {}

protected:
    void Form_Unload() override;
};
