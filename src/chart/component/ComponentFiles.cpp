#include "chart/component/Component.h"
#include "chart/core/ChartFiles.h"

namespace chart
{

QStringList TcVCLComponent::PropertyFileExclusions(bool SaveAll)
{
    QStringList names = {QStringLiteral("Name")};
    if (!SaveAll)
        names << QStringLiteral("Left") << QStringLiteral("Top") << QStringLiteral("Width")
              << QStringLiteral("Height") << QStringLiteral("Align") << QStringLiteral("Cursor")
              << QStringLiteral("ShowHint") << QStringLiteral("Tag") << QStringLiteral("Visible")
              << QStringLiteral("Enabled") << QStringLiteral("Hint") << QStringLiteral("HelpContext");
    return names;
}

bool TcVCLComponent::SavePropertiesToFile(const QString& FileName, QString* Error)
{
    return CatchFileError(
        QStringLiteral("Error Saving Properties - "),
        [&] {
            QStringList lines = {QStringLiteral("File Type = ") + SchemeClassName()};
            const QStringList exclude = PropertyFileExclusions(OptionSaveAllProperties());
            SavePropertiesToList(*this, QString(), lines, false, &exclude);
            WriteChartFile(FileName, EncodeTextLines(lines));
        },
        Error);
}

bool TcVCLComponent::LoadPropertiesFromFile(const QString& FileName, QString* Error)
{
    return CatchFileError(
        QStringLiteral("Error Loading Properties - "),
        [&] {
            QStringList lines = DecodeTextLines(ReadChartFile(FileName));
            CheckPropertiesFromList(*this, QString(), lines);
            BeginUpdate();
            try {
                LoadPropertiesFromList(*this, QString(), lines);
            } catch (...) {
                EndUpdate();
                throw;
            }
            EndUpdate();
        },
        Error);
}

} // namespace chart
