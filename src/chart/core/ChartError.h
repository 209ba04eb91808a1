// The chart library's error rule. Inside the library a failure raises EChartError with the fixed
// English text its operation names. Nothing raised passes the component's edge: paints draw the
// text in the control, input and timer handlers log it (GuardChartCall) and go on, and the public
// loaders and savers return false with the text.
#pragma once

#include <QString>
#include <exception>
#include <functional>
#include <stdexcept>

namespace chart
{

class EChartError : public std::runtime_error
{
  public:
    explicit EChartError(const QString& message)
        : std::runtime_error(message.toStdString()), FMessage(message)
    {
    }
    const QString& Message() const { return FMessage; }

  private:
    QString FMessage;
};

// Logarithm and power of a value not above 0.
class EChartDomainError : public EChartError
{
  public:
    using EChartError::EChartError;
};

// The text of a caught failure: the chart's message, another exception's what(), or "Unknown error".
QString ChartErrorMessage(std::exception_ptr e);
// Where handler failures are reported; the default writes a warning.
void SetChartErrorLog(std::function<void(const QString&)> log);
void LogChartError(const QString& where, const QString& message);
// Runs Hook; a failure is logged under Where and goes no further.
void GuardChartCall(const char* Where, const std::function<void()>& Hook);
// Runs Hook for a public loader or saver: true, or false with the failure's text in Error.
bool CatchChartError(const std::function<void()>& Hook, QString* Error);

} // namespace chart
