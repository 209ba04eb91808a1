#include "chart/core/ChartError.h"

#include <QtDebug>

namespace chart
{

namespace
{
std::function<void(const QString&)>& ErrorLog()
{
    static std::function<void(const QString&)> log;
    return log;
}
} // namespace

QString ChartErrorMessage(std::exception_ptr e)
{
    try {
        std::rethrow_exception(e);
    } catch (const EChartError& x) {
        return x.Message();
    } catch (const std::exception& x) {
        return QString::fromLocal8Bit(x.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

void SetChartErrorLog(std::function<void(const QString&)> log)
{
    ErrorLog() = std::move(log);
}

void LogChartError(const QString& where, const QString& message)
{
    const QString line = where + QLatin1String(": ") + message;
    if (ErrorLog())
        ErrorLog()(line);
    else
        qWarning("%s", qPrintable(line));
}

void GuardChartCall(const char* Where, const std::function<void()>& Hook)
{
    try {
        Hook();
    } catch (...) {
        LogChartError(QString::fromLatin1(Where), ChartErrorMessage(std::current_exception()));
    }
}

bool CatchChartError(const std::function<void()>& Hook, QString* Error)
{
    try {
        Hook();
        return true;
    } catch (...) {
        if (Error)
            *Error = ChartErrorMessage(std::current_exception());
        return false;
    }
}

} // namespace chart
