#include "companions/position_entry.h"

#include "navlib/inout_lib.h"
#include "platform/masked_field.h"

namespace orvex {

void HookHemisphereKeys(MaskedField& latitude, MaskedField& longitude) {
    latitude.SetKeyRewrite([](QChar c) {
        if (c == u'+' || c == u'n') return QChar(u'N');
        if (c == u'-' || c == u's') return QChar(u'S');
        return c;
    });
    longitude.SetKeyRewrite([](QChar c) {
        if (c == u'+' || c == u'e') return QChar(u'E');
        if (c == u'-' || c == u'w') return QChar(u'W');
        return c;
    });
}

namespace {

// Refuses the entry with the message of the parser's sentinel v, if v is
// one, keeping the text typed; turns the field green otherwise. The
// sentinels never become a latitude or a longitude.
std::optional<double> Accept(MaskedField& f, double v, const char* overRange,
                             const char* overMinutes, const char* badHemisphere) {
    const char* message = v == kBadDegrees      ? overRange
                          : v == kBadMinutes    ? overMinutes
                          : v == kBadHemisphere ? badHemisphere
                                                : nullptr;
    if (message) {
        f.Reject(message, MaskedField::RejectMode::KeepText);
        return std::nullopt;
    }
    f.SetBackColor(kValidGreen);
    return v;
}

}  // namespace

std::optional<double> CommitLatitudeField(MaskedField& f, const std::string& decSep) {
    if (f.IsEmptyEntry()) return std::nullopt;
    const auto v =
        Accept(f, ParseLatitude(f.MaskedText().toStdString()), "Latitude > 90°.",
               "The latitude has more than 59'.", "A latitude can only be N (North) or S (South).");
    if (v) f.ShowCommitted(QString::fromStdString(FormatLatitude(*v, decSep)));
    return v;
}

std::optional<double> CommitLongitudeField(MaskedField& f, const std::string& decSep) {
    if (f.IsEmptyEntry()) return std::nullopt;
    const auto v =
        Accept(f, ParseLongitude(f.MaskedText().toStdString()), "Longitude > 180°.",
               "The longitude has more than 59'.", "A longitude can only be W (West) or E (East).");
    if (v) f.ShowCommitted(QString::fromStdString(FormatLongitude(*v, decSep)));
    return v;
}

void EraseObsPosField(MaskedField& f, bool latitude, const std::string& decSep) {
    const QString sep = QString::fromStdString(decSep);
    f.SetMaskedText(latitude ? "__°__'" + sep + "_ _" : "___°__'" + sep + "_ _");
    f.SetBackColor(MaskedField::WindowColor());
}

}  // namespace orvex
