#include "core/CommonOperations.h"

#include "addressbook/Person.h"

std::optional<QString> CommonOperations::getName(const Person &person, bool phoneFallback)
{
    if (!person.firstName && !person.middleName && !person.lastName) {
        if (person.organization)
            return *person.organization;
        if (!phoneFallback)
            return std::nullopt;
        if (person.phones && !person.phones->isEmpty())
            return QString(person.phones->first().value); // a copy, independent of the person
        return QStringLiteral("[No name supplied]");
    }
    QString name;
    for (const auto &part : {person.firstName, person.middleName, person.lastName}) {
        if (part)
            name += *part + u' ';
    }
    return name;
}
