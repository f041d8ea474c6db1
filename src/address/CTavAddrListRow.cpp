#include "CTavAddrListRow.h"

#include "CTavDbAddrRecord.h"

QString CTavAddrListRow::DisplayName(const QString& lastName, const QString& firstName)
{
    if (!lastName.isEmpty() && !firstName.isEmpty())
        return lastName + u' ' + firstName;
    return lastName + firstName;
}

CTavAddrListRow CTavAddrListRow::FromCard(const CTavDbAddrRecord& card, const QString& categoryName)
{
    CTavAddrListRow row;
    row.uniqueId = card.GetUniqueId();
    row.lastName = card.GetLastName();
    row.firstName = card.GetFirstName();
    row.company = card.GetCompany();
    row.usualContact = card.GetDisplayPhoneText();
    row.categoryId = card.GetCategoryID();
    row.categoryName = categoryName;
    row.isPrivate = card.GetIsPrivate();
    row.hasNote = !card.GetNote().isEmpty();
    row.hasMemoSheet = !card.GetQuilloName().isEmpty();
    row.hasEmail = card.HasEmail();
    row.hasThumb = !card.GetThumbData().isEmpty();
    row.thumbKind = card.GetDummyThumb();
    return row;
}
