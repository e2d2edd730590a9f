#include "app/ical_files.h"

#include "app/command_line.h"
#include "app/tamvel_app.h"
#include "document/view_settings.h"
#include "ical/ical_export.h"
#include "ical/ical_import.h"
#include "model/particular_days.h"
#include "platform/application_title.h"
#include "platform/user_prompts.h"
#include "view/print_dialogs.h"

#include <QDateTime>
#include <QFile>
#include <QTimeZone>

#include <cstdio>

namespace app {

ExportResult ExportIcs(const QString &path, int year, const model::HolidayOptions &options)
{
    if (year > ical::kLastExportYear)
        return {false,
                QStringLiteral("Les agendas iCalendar ne vont pas au-delà de l'an %1 : « %2 » n'a pas été écrit.")
                    .arg(ical::kLastExportYear)
                    .arg(path),
                {}};
    const ical::CalendarYear calendar{year, model::LabelledDaysOfYear(year, options),
                                      QDateTime::currentSecsSinceEpoch()};
    return WriteWholeFile(path, QByteArray::fromStdString(ical::ExportCalendar(calendar)));
}

QString RunIcsExport(QWidget *parent, int year, const model::HolidayOptions &options)
{
    const QString suggestion = QStringLiteral("jours-feries-%1.ics").arg(year, 4, 10, QLatin1Char('0'));
    QString path = platform::Prompts().SaveFileName(parent, QStringLiteral("Exporter en iCalendar"), suggestion,
                                                    QStringLiteral("Agendas iCalendar (*.ics)"));
    if (path.isEmpty())
        return {};
    if (!path.endsWith(QStringLiteral(".ics"), Qt::CaseInsensitive))
        path += QStringLiteral(".ics");
    const ExportResult result = ExportIcs(path, year, options);
    if (!result.ok) {
        platform::Prompts().Message(parent, platform::ApplicationTitle(), result.error);
        return {};
    }
    return path;
}

int ExportIcsCommand(const std::string &path, CTamvelApp &tamvel, const ViewState &view)
{
    const ExportResult result = ExportIcs(QString::fromLocal8Bit(path.c_str()), tamvel.Settings.Annee,
                                          tamvel.Document.HolidayOptions(view.FerieParticulier != 0));
    if (!result.ok) {
        std::fprintf(stderr, "tamvel : %s\n", result.error.toLocal8Bit().constData());
        return kUsageError;
    }
    return 0;
}

int ImportIcsCommand(const std::string &path, CTamvelApp &tamvel, const ViewState &view)
{
    CTamvelDoc &doc = tamvel.Document;
    const int year = tamvel.Settings.Annee;
    const ical::ImportResult imported =
        ical::ImportCalendarFile(path, year, QTimeZone::systemTimeZoneId().toStdString());
    if (!imported.error.empty()) {
        std::fprintf(stderr, "tamvel : %s\n", imported.error.c_str());
        return kUsageError;
    }
    for (const std::string &note : imported.notes)
        std::fprintf(stderr, "tamvel : %s\n", note.c_str());
    // Nothing found because the walk was cut short is a failure, not an empty agenda.
    if (imported.cutShort && imported.days.empty())
        return kUsageError;
    const std::size_t added = model::AppendParticularDays(year, imported.days, doc.Dates, doc.Libelles);
    if (added > 0 && !doc.SaveParticularDays()) {
        std::fprintf(stderr,
                     "tamvel : les jours de « %s » n'ont pas pu être enregistrés : aucun jour n'a été ajouté.\n",
                     path.c_str());
        return kUsageError;
    }
    const std::string count = added == 0   ? "Aucun jour ajouté"
                              : added == 1 ? "1 jour ajouté"
                                           : std::to_string(added) + " jours ajoutés";
    std::printf(
        "%s aux jours particuliers de %04d.%s\n", count.c_str(), year,
        view.FerieParticulier != 0 ? "" : " Cochez « Afficher les jours non travaillés particuliers » pour les voir.");
    return 0;
}

} // namespace app
