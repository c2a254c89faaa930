#include "app/MailTexts.h"

namespace corvane {

namespace {

const MailTexts kEnglish = {
    "%1 (%2): %3",
    "%1 more matching messages",
    "%1 further matching messages were not kept.",
    "No message from %1 (%2) for %3 minutes",
    "%1 (%2) sends again after %3 minutes",
    "Host",
    "Address",
    "Time",
    "Facility",
    "Severity",
    "Message",
    "Test mail",
    "This test mail shows that Corvane's notification mail reaches this address.",
    "Sent by Corvane because the message matched the notification condition.",
};

const MailTexts kGerman = {
    "%1 (%2): %3",
    "%1 weitere passende Meldungen",
    "%1 weitere passende Meldungen wurden nicht aufbewahrt.",
    "Keine Meldung von %1 (%2) seit %3 Minuten",
    "%1 (%2) sendet wieder, nach %3 Minuten",
    "Host",
    "Adresse",
    "Zeit",
    "Facility",
    "Ebene",
    "Meldung",
    "Testmail",
    "Diese Testmail zeigt, dass die Benachrichtigungsmail von Corvane diese Adresse erreicht.",
    "Von Corvane gesendet, weil die Meldung der Benachrichtigungsbedingung entsprach.",
};

const MailTexts kSpanish = {
    "%1 (%2): %3",
    "%1 mensajes coincidentes más",
    "%1 mensajes coincidentes más no se guardaron.",
    "Ningún mensaje de %1 (%2) desde hace %3 minutos",
    "%1 (%2) vuelve a enviar tras %3 minutos",
    "Host",
    "Dirección",
    "Hora",
    "Facilidad",
    "Gravedad",
    "Mensaje",
    "Correo de prueba",
    "Este correo de prueba muestra que el aviso por correo de Corvane llega a esta dirección.",
    "Enviado por Corvane porque el mensaje cumplió la condición de aviso.",
};

const MailTexts kFrench = {
    "%1 (%2) : %3",
    "%1 autres messages correspondants",
    "%1 autres messages correspondants n'ont pas été conservés.",
    "Aucun message de %1 (%2) depuis %3 minutes",
    "%1 (%2) envoie de nouveau après %3 minutes",
    "Hôte",
    "Adresse",
    "Heure",
    "Catégorie",
    "Gravité",
    "Message",
    "E-mail de test",
    "Cet e-mail de test montre que l'e-mail de notification de Corvane parvient à cette adresse.",
    "Envoyé par Corvane car le message répondait à la condition de notification.",
};

}  // namespace

const MailTexts& MailTexts::of(const std::string& language) {
    if (language == "DEU")
        return kGerman;
    if (language == "ESN")
        return kSpanish;
    if (language == "FRA")
        return kFrench;
    return kEnglish;
}

std::string fillMailText(const char* text, const std::string& a, const std::string& b, const std::string& c) {
    std::string out;
    for (const char* p = text; *p; ++p) {
        if (p[0] == '%' && p[1] >= '1' && p[1] <= '3') {
            out += p[1] == '1' ? a : p[1] == '2' ? b : c;
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

}  // namespace corvane
