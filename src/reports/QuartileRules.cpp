#include "reports/QuartileRules.h"

double fncCalcRatio(double dblNumerator, double dblDenominator)
{
    if (dblNumerator != 0 && dblDenominator != 0)
        return dblNumerator / dblDenominator;
    return 0;
}

// All three tests are always made, in this order, so that the last one that
// holds decides even when the quartiles are not in order.
double fncCalcBetter(double dblQ1, double dblQ2, double dblQ3, double dblmyRatio)
{
    double position = 0;
    if (dblQ1 != 0 && dblmyRatio > dblQ1)
        position = 25;
    if (dblQ2 != 0 && dblmyRatio > dblQ2)
        position = 50;
    if (dblQ3 != 0 && dblmyRatio > dblQ3)
        position = 75;
    return position;
}

double fncCalcWorse(double dblQ1, double dblQ2, double dblQ3, double dblmyRatio)
{
    double position = 0;
    if (dblQ3 != 0 && dblmyRatio < dblQ3)
        position = 25;
    if (dblQ2 != 0 && dblmyRatio < dblQ2)
        position = 50;
    if (dblQ1 != 0 && dblmyRatio < dblQ1)
        position = 75;
    return position;
}

double fncExceptionCalcBetter(double dblQ1, double dblQ2, double dblQ3, double dblmyRatio)
{
    double position = 0;
    if (dblQ1 != 0 && dblmyRatio < dblQ1)
        position = 25;
    if (dblQ2 != 0 && dblmyRatio < dblQ2)
        position = 50;
    if (dblQ3 != 0 && dblmyRatio < dblQ3)
        position = 75;
    return position;
}

double fncExceptionCalcWorse(double dblQ1, double dblQ2, double dblQ3, double dblmyRatio)
{
    double position = 0;
    if (dblQ3 != 0 && dblmyRatio > dblQ3)
        position = 25;
    if (dblQ2 != 0 && dblmyRatio > dblQ2)
        position = 50;
    if (dblQ1 != 0 && dblmyRatio > dblQ1)
        position = 75;
    return position;
}
