#pragma once

// The guarded division of the comparison's ratios and the four rules that
// place a firm's ratio against an industry's quartiles. A quartile of 0
// counts as absent and its test is skipped; every comparison is strict.

// dblNumerator / dblDenominator, or 0 when either is 0.
double fncCalcRatio(double dblNumerator, double dblDenominator);

// 25, 50 or 75 for a ratio above Q1, Q2 or Q3 (the last test that holds
// decides), else 0.
double fncCalcBetter(double dblQ1, double dblQ2, double dblQ3, double dblmyRatio);

// 25, 50 or 75 for a ratio below Q3, Q2 or Q1, else 0.
double fncCalcWorse(double dblQ1, double dblQ2, double dblQ3, double dblmyRatio);

// The indebtedness ratios, where lower is better: 25, 50 or 75 for a ratio
// below Q1, Q2 or Q3, else 0.
double fncExceptionCalcBetter(double dblQ1, double dblQ2, double dblQ3, double dblmyRatio);

// 25, 50 or 75 for a ratio above Q3, Q2 or Q1, else 0.
double fncExceptionCalcWorse(double dblQ1, double dblQ2, double dblQ3, double dblmyRatio);
