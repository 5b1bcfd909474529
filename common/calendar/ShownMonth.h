// The months a view shows: the month carry and the first month of the view, which
// the layout measures and the program draws alike.
#pragma once

class EnvData;

// Carries a month outside 1-12 into the year (month 0 is December of the year before).
void NormalizeMonth(int* year, int* month);
// The first month of the view shown for the reference month, by the record's DisplayStart rule.
void FirstShownMonth(const EnvData& env, int* year, int* month);
