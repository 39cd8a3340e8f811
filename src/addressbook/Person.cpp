#include "addressbook/Person.h"

int Person::indexForIdentifier(int identifier) const
{
    if (!phones)
        return -1;
    for (qsizetype i = 0; i < phones->size(); ++i) {
        if (phones->at(i).identifier == identifier)
            return int(i);
    }
    return -1;
}
