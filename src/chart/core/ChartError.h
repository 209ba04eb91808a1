// The chart library's own exception class: every failure of the library raises it with a fixed
// English text. Paint and input handlers catch it (and anything else) at the Qt boundary.
#pragma once

#include <QString>
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

} // namespace chart
