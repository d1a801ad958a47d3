#include "CompletionReport.h"

#include <algorithm>

namespace CompletionReport {

int percent(const Completion& completion) {
    return completion.total == 0 ? 100 : int(qint64(completion.present) * 100 / completion.total);
}

QString table(const QList<Row>& rows) {
    const QStringList heading = {QStringLiteral("File"), QStringLiteral("Translated"), QStringLiteral("Total"),
                                 QStringLiteral("Percent"), QStringLiteral("Equal to source")};
    QList<QStringList> lines = {heading};
    for (const Row& row : rows) {
        const Completion& c = row.completion;
        lines.append({row.file, QString::number(c.present), QString::number(c.total),
                      QString::number(percent(c)) + QLatin1Char('%'), QString::number(c.equalSource)});
    }
    QList<qsizetype> widths(heading.size(), 0);
    for (const QStringList& line : lines) {
        for (qsizetype i = 0; i < line.size(); ++i) {
            widths[i] = std::max(widths[i], line.at(i).size());
        }
    }
    QString text;
    for (const QStringList& line : lines) {
        // The file name to the left, the figures to the right of their columns.
        QString out = line.at(0).leftJustified(widths[0]);
        for (qsizetype i = 1; i < line.size(); ++i) {
            out += QLatin1String("  ") + line.at(i).rightJustified(widths[i]);
        }
        text += out + QLatin1Char('\n');
    }
    return text;
}

QByteArray html(const QList<Row>& rows, const QString& reference) {
    QString page = QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                                  "<title>Translation completion</title>\n<style>\n"
                                  "body{font-family:sans-serif;margin:2em;color:#222}\n"
                                  "table{border-collapse:collapse}\n"
                                  "td,th{padding:4px 10px;text-align:left}\n"
                                  ".bar{width:240px;height:14px;background:#ddd;border-radius:3px;overflow:hidden}\n"
                                  ".done{height:100%;background:#2a7d2e}\n"
                                  "</style>\n</head>\n<body>\n");
    page += QStringLiteral("<h1>Translation completion</h1>\n<p>Reference: %1</p>\n").arg(reference.toHtmlEscaped());
    page += QStringLiteral("<table>\n<tr><th>File</th><th>Completion</th><th>Translated</th><th>Equal to "
                           "source</th></tr>\n");
    for (const Row& row : rows) {
        const Completion& c = row.completion;
        const int done = percent(c);
        page += QStringLiteral("<tr><td>%1</td><td><div class=\"bar\" title=\"%2%\"><div class=\"done\" "
                               "style=\"width:%2%\"></div></div></td><td>%3 of %4 (%2%)</td><td>%5</td></tr>\n")
                    .arg(row.file.toHtmlEscaped(), QString::number(done), QString::number(c.present),
                         QString::number(c.total), QString::number(c.equalSource));
    }
    page += QStringLiteral("</table>\n</body>\n</html>\n");
    return page.toUtf8();
}

} // namespace CompletionReport
