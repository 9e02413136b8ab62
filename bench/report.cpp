// The report: a table for a person, or JSON for a script.

#include "bench.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <algorithm>

namespace tarnwick::bench {

void Bench::reportJson() const {
    QJsonArray rows;
    for (const Row& row : m_rows) {
        rows.append(QJsonObject{{"stage", row.stage},
                                {"tree", row.tree},
                                {"operation", row.operation},
                                {"folders", row.folders},
                                {"median_ms", row.medianMs},
                                {"floor", row.floorName},
                                {"floor_median_ms", row.floorMs},
                                {"ratio", row.floorMs > 0 ? row.medianMs / row.floorMs : 0},
                                {"us_per_folder", row.medianMs * 1000 / std::max(1, row.folders)},
                                {"rss_mb", row.rssMb},
                                {"peak_rss_mb", row.peakRssMb}});
    }
    QTextStream(stdout) << QJsonDocument(QJsonObject{{"repeats", m_options.repeats},
                                                     {"quick", m_options.quick},
                                                     {"rows", rows},
                                                     {"notes", QJsonArray::fromStringList(m_notes)},
                                                     {"failures", m_failures}})
                               .toJson();
}

void Bench::report() const {
    if (m_options.json)
        return reportJson();
    QTextStream out(stdout);
    out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9 %10\n")
               .arg("stage", -8)
               .arg("tree", -7)
               .arg("operation", -14)
               .arg("folders", 8)
               .arg("median ms", 10)
               .arg("floor", -13)
               .arg("floor ms", 9)
               .arg("ratio", 6)
               .arg("RSS MB", 7)
               .arg("peak RSS MB", 12);
    for (const Row& row : m_rows) {
        const QString ratio = row.floorMs > 0 ? QString::number(row.medianMs / row.floorMs, 'f', 2)
                                              : QStringLiteral("-");
        out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9 %10\n")
                   .arg(row.stage, -8)
                   .arg(row.tree, -7)
                   .arg(row.operation, -14)
                   .arg(row.folders, 8)
                   .arg(row.medianMs, 10, 'f', 1)
                   .arg(row.floorName, -13)
                   .arg(row.floorMs, 9, 'f', 1)
                   .arg(ratio, 6)
                   .arg(row.rssMb, 7, 'f', 1)
                   .arg(row.peakRssMb, 12, 'f', 1);
    }
    for (const QString& note : m_notes)
        out << note << u'\n';
    out << QStringLiteral("median of %1 repeats after a warm-up; %2\n")
               .arg(m_options.repeats)
               .arg(m_failures ? QStringLiteral("%1 CHECKS FAILED").arg(m_failures)
                               : QStringLiteral("every stage left the expected names on disk"));
}

} // namespace tarnwick::bench
