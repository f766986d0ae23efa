#include "RegionalFormat.h"

#include <QLocale>

char RegionalFormat::DecimalSeparator()
{
    return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

QString RegionalFormat::FormatReal(double value)
{
    // The locale's own digits (Arabic-Indic, for one) and separators such as
    // U+066B would be refused when read back: the fields show Latin digits
    // and the separator the parser takes.
    QString text = QString::number(value, 'f', 1);
    if (DecimalSeparator() == ',') {
        text.replace(u'.', u',');
    }
    return text;
}

QString RegionalFormat::ShortDateFormat()
{
    return WithFullYear(QLocale().dateFormat(QLocale::ShortFormat));
}

QString RegionalFormat::WithFullYear(const QString& format)
{
    // A two-digit year hides the century (9926 read as 26); a one-digit day
    // or month would make the width of the same field vary from date to date.
    QString result;
    bool quoted = false;
    for (qsizetype n = 0; n < format.size();) {
        const QChar c = format.at(n);
        if (c == u'\'') {
            quoted = !quoted;
            result.append(c);
            ++n;
            continue;
        }
        qsizetype run = 1;
        while (!quoted && n + run < format.size() && format.at(n + run) == c) {
            ++run;
        }
        if (!quoted && c == u'y') {
            result.append(QStringLiteral("yyyy"));
        } else if (!quoted && (c == u'd' || c == u'M') && run == 1) {
            result.append(QString(2, c));
        } else {
            result.append(format.mid(n, run));
        }
        n += run;
    }
    return result;
}

QString RegionalFormat::LongTimeFormat()
{
    const QLocale locale;
    QString longFormat = WithoutTimeZone(locale.timeFormat(QLocale::LongFormat));
    if (!HasQuotedText(longFormat)) {
        return longFormat;
    }
    const QString shortFormat = WithSeconds(WithoutTimeZone(locale.timeFormat(QLocale::ShortFormat)));
    return HasQuotedText(shortFormat) ? QStringLiteral("HH:mm:ss") : shortFormat;
}

QString RegionalFormat::FormatDate(QDate date)
{
    return QLocale().toString(date, ShortDateFormat());
}

QString RegionalFormat::FormatTime(QTime time)
{
    return QLocale().toString(time, LongTimeFormat());
}

QString RegionalFormat::WithoutTimeZone(const QString& format)
{
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'') {
            quoted = !quoted;
        } else if (!quoted && c == u't') {
            continue;
        }
        result.append(c);
    }
    return result.trimmed();
}

bool RegionalFormat::HasQuotedText(const QString& format)
{
    return format.contains(u'\'');
}

QString RegionalFormat::WithSeconds(const QString& format)
{
    // Positions of the unquoted fields.
    qsizetype minutesEnd = -1;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            quoted = !quoted;
        } else if (!quoted && c == u's') {
            return format;
        } else if (!quoted && c == u'm') {
            minutesEnd = i + 1;
        }
    }
    if (minutesEnd < 0) {
        return format;
    }
    qsizetype minutesStart = minutesEnd - 1;
    while (minutesStart > 0 && format.at(minutesStart - 1) == u'm') {
        --minutesStart;
    }
    QChar separator = u':';
    if (minutesStart > 0) {
        const QChar before = format.at(minutesStart - 1);
        if (!before.isLetterOrNumber() && before != u'\'' && !before.isSpace()) {
            separator = before;
        }
    }
    QString result = format;
    result.insert(minutesEnd, separator + QStringLiteral("ss"));
    return result;
}
