#pragma once
// The table on show as the inspection report sees it: its readings, where
// they came from, the project data, the limits and the check chosen for it.

#include "output/CustomerReport.h"

#include <QLocale>

namespace kivo {

class GaugeSession;

// The locale's paper is Letter (the Americas that use it, the
// Philippines); A4 elsewhere.
bool letterPaper(const QLocale& locale);
// The locale the paper is chosen by: LC_PAPER where set, else the system's.
QLocale paperLocale();

ReportSource reportSourceOf(const GaugeSession& session, const QDateTime& madeAt);

} // namespace kivo
