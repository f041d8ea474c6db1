#pragma once

#include <QString>
#include <cstdint>

class CTavDbAddrRecord;

// What the address list shows of one card, made when the list is rebuilt. The card itself
// stays in the store; commands find it again by its unique id.
struct CTavAddrListRow
{
    uint32_t uniqueId = 0;
    QString lastName;
    QString firstName;
    QString company;
    QString usualContact;
    uint32_t categoryId = 0;
    QString categoryName;
    bool isPrivate = false;
    bool hasNote = false;
    bool hasMemoSheet = false;
    bool hasEmail = false;
    bool hasThumb = false;
    int thumbKind = 0;
    int tab = 0; // the index tab the card falls under in the order it was listed in

    static CTavAddrListRow FromCard(const CTavDbAddrRecord& card, const QString& categoryName);
    // Made when drawn: a book of cards is listed far more often than each row is seen.
    QString DisplayName() const { return DisplayName(lastName, firstName); }
    // Last name, one blank and first name when both are there; else whichever there is.
    static QString DisplayName(const QString& lastName, const QString& firstName);
};
