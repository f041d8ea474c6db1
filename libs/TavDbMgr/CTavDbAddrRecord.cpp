#include "CTavDbAddrRecord.h"

#include <QFile>
#include <algorithm>

#include "CTavDbText.h"
#include "CTavSqliteStatement.h"

CTavDbAddrRecord::CTavDbAddrRecord()
{
    // New cards carry the handheld's default labels: work, home, fax, other, e-mail.
    for (int i = 0; i < kPhoneCount; ++i)
        m_phoneLabel[i] = i;
}

CTavDbAddrRecord::Field CTavDbAddrRecord::FirstOverlongField() const
{
    for (int f = 0; f < FieldCount; ++f) {
        const QString& text = m_text[f];
        const int limit = MaxBytes(static_cast<Field>(f));
        // A UTF-16 unit takes at most two bytes of code page 932, so short texts need no count.
        if (text.size() * 2 > limit && CTavDbText::mbLength(text) > limit)
            return static_cast<Field>(f);
    }
    return FieldCount;
}

bool CTavDbAddrRecord::IsEmpty() const
{
    for (const QString& text : m_text)
        if (!text.isEmpty())
            return false;
    return true;
}

QString CTavDbAddrRecord::GetPhone(int slot) const
{
    return slot >= 0 && slot < kPhoneCount ? m_text[Phone1 + slot] : QString();
}

void CTavDbAddrRecord::SetPhone(int slot, const QString& text)
{
    if (slot >= 0 && slot < kPhoneCount)
        m_text[Phone1 + slot] = text;
}

int CTavDbAddrRecord::GetPhoneLabelID(int slot) const
{
    return slot >= 0 && slot < kPhoneCount ? m_phoneLabel[slot] : 0;
}

void CTavDbAddrRecord::SetPhoneLabelID(int slot, int labelId)
{
    if (slot >= 0 && slot < kPhoneCount)
        m_phoneLabel[slot] = labelId;
}

QString CTavDbAddrRecord::GetDisplayPhoneText() const
{
    return GetPhone(m_displayPhone >= 1 && m_displayPhone <= kPhoneCount ? m_displayPhone - 1 : 0);
}

bool CTavDbAddrRecord::HasEmail() const
{
    for (int i = 0; i < kPhoneCount; ++i)
        if (m_phoneLabel[i] == kLabelEmail && !m_text[Phone1 + i].isEmpty())
            return true;
    return false;
}

QString CTavDbAddrRecord::GetCustom(int index) const
{
    return index >= 0 && index < kCustomCount ? m_text[Custom1 + index] : QString();
}

void CTavDbAddrRecord::SetCustom(int index, const QString& text)
{
    if (index >= 0 && index < kCustomCount)
        m_text[Custom1 + index] = text;
}

bool CTavDbAddrRecord::LoadThumbData(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxThumbBytes)
        return false;
    const QByteArray data = file.read(kMaxThumbBytes + 1);
    if (data.size() > kMaxThumbBytes || file.error() != QFileDevice::NoError)
        return false;
    m_thumbData = data;
    return true;
}

bool CTavDbAddrRecord::HasValidValues() const
{
    for (int label : m_phoneLabel)
        if (label < 0 || label >= kPhoneLabelCount)
            return false;
    return m_displayPhone >= 0 && m_displayPhone <= kPhoneCount && m_thumbKind >= 0 && m_thumbKind <= 255 &&
           m_thumbData.size() <= kMaxThumbBytes;
}

void CTavDbAddrRecord::Reset()
{
    *this = CTavDbAddrRecord();
}

bool CTavDbAddrRecord::IsEqualPdt(const CTavDbPcRecord& other) const
{
    const auto* o = dynamic_cast<const CTavDbAddrRecord*>(&other);
    if (!o || !CTavDbPcRecord::IsEqualPdt(other) || m_displayPhone != o->m_displayPhone ||
        m_thumbName != o->m_thumbName || m_thumbKind != o->m_thumbKind || m_thumbData != o->m_thumbData ||
        m_quilloName != o->m_quilloName)
        return false;
    for (int f = 0; f < FieldCount; ++f)
        if (m_text[f] != o->m_text[f])
            return false;
    for (int i = 0; i < kPhoneCount; ++i)
        if (m_phoneLabel[i] != o->m_phoneLabel[i])
            return false;
    return true;
}

void CTavDbAddrRecord::BindFields(CTavSqliteStatement& st) const
{
    for (const QString& text : m_text)
        st.bind(text);
    for (int label : m_phoneLabel)
        st.bind(label);
    st.bind(m_displayPhone).bind(m_thumbName).bind(m_thumbKind).bindBlob(m_thumbData).bind(m_quilloName);
}

void CTavDbAddrRecord::ReadFields(CTavSqliteStatement& st)
{
    for (QString& text : m_text)
        text = st.text();
    // A damaged file must not give values that the accessors' users index with.
    for (int& label : m_phoneLabel) {
        label = st.int32();
        if (label < 0 || label >= kPhoneLabelCount)
            label = kLabelOther;
    }
    m_displayPhone = std::clamp(st.int32(), 0, kPhoneCount);
    m_thumbName = st.text();
    m_thumbKind = std::clamp(st.int32(), 0, 255);
    m_thumbData = st.blob();
    m_quilloName = st.text();
}
