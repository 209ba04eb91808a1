// A small INI file of sections and "key=value" lines, kept in file order (keys are matched without
// regard to case, as the platform's INI calls did). Saving writes a temporary file and renames it, so
// a file is never half-written. UI thread or any thread for its own object.
#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace fw
{

class TIniFile
{
  public:
    explicit TIniFile(QString fileName = {});
    // Reads the file; a missing file is an empty INI (true), an unreadable one an error.
    bool Load(QString* error = nullptr);
    bool Save(QString* error = nullptr) const;
    void Parse(const QString& text);
    QString Text() const;

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    int ReadInteger(const QString& section, const QString& key, int def) const;
    bool ValueExists(const QString& section, const QString& key) const;
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void EraseSection(const QString& section);
    QStringList Keys(const QString& section) const;

  private:
    struct Section {
        QString name;
        std::vector<std::pair<QString, QString>> values;
    };
    Section* Find(const QString& name);
    const Section* Find(const QString& name) const;
    QString FFileName;
    std::vector<Section> FSections;
};

} // namespace fw
