#include "document/app_settings.h"

QString AppSettings::DefaultPub1()
{
    return QStringLiteral("Calendrier offert par votre imprimeur — bonne et heureuse année !");
}

QString AppSettings::DefaultPub2()
{
    return QStringLiteral("Réalisé avec le Générateur de Tamvel");
}
