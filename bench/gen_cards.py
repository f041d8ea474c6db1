#!/usr/bin/env python3
"""Japanese address cards for the benchmarks, from one fixed seed.

usage: gen_cards.py N OUTDIR
  cards.jsonl       the cards, every value as text: category (index 0..5), private ("0"/"1"),
                    names and readings, company, title, phone1..5 with phoneN_label (0 Work,
                    1 Home, 2 Fax, 3 Other, 4 E-Mail, 5 Main, 6 Pager, 7 Mobile), display_phone
                    (slot counted from 0), zip, state, city, address, country, custom1, custom2, note
  cards.vcf         vCard 3.0, UTF-8, readings in X-PHONETIC-* properties
  cards_sjis21.vcf  vCard 2.1 as Japanese phones write it: Shift_JIS (code page 932, 0x5C is a
                    backslash), QUOTED-PRINTABLE with soft line breaks, half-width readings in
                    SOUND;X-IRMC-N
  cards.csv         UTF-8 without BOM, a header line, CRLF between cards, LF inside notes
Cards are drawn one after the other, so the first K cards are the same for every N >= K.
Every text can be written in code page 932.
"""
import csv
import io
import os
import random
import sys
import unicodedata

from benchfiles import count_arg, escape_text, fold_line, json_lines, write_atomically

SEED = 62_2024
SURNAMES = [("佐藤", "サトウ", "sato"), ("鈴木", "スズキ", "suzuki"), ("高橋", "タカハシ", "takahashi"),
            ("田中", "タナカ", "tanaka"), ("渡辺", "ワタナベ", "watanabe"), ("伊藤", "イトウ", "ito"),
            ("中村", "ナカムラ", "nakamura"), ("小林", "コバヤシ", "kobayashi"), ("山本", "ヤマモト", "yamamoto"),
            ("加藤", "カトウ", "kato"), ("吉田", "ヨシダ", "yoshida"), ("山田", "ヤマダ", "yamada"),
            ("佐々木", "ササキ", "sasaki"), ("松本", "マツモト", "matsumoto"), ("井上", "イノウエ", "inoue"),
            ("木村", "キムラ", "kimura"), ("清水", "シミズ", "shimizu"), ("山崎", "ヤマザキ", "yamazaki"),
            ("阿部", "アベ", "abe"), ("森", "モリ", "mori"), ("池田", "イケダ", "ikeda"), ("橋本", "ハシモト", "hashimoto"),
            ("石井", "イシイ", "ishii"), ("前田", "マエダ", "maeda"), ("小川", "オガワ", "ogawa"),
            ("岡田", "オカダ", "okada"), ("長谷川", "ハセガワ", "hasegawa"), ("村上", "ムラカミ", "murakami"),
            ("近藤", "コンドウ", "kondo"), ("坂本", "サカモト", "sakamoto"), ("遠藤", "エンドウ", "endo"),
            ("藤原", "フジワラ", "fujiwara"), ("髙橋", "タカハシ", "takahashi"), ("斉藤", "サイトウ", "saito"),
            ("東", "アズマ", "azuma"), ("日下部", "クサカベ", "kusakabe"), ("服部", "ハットリ", "hattori")]
GIVEN_NAMES = [("一郎", "イチロウ", "ichiro"), ("洋子", "ヨウコ", "yoko"), ("学", "マナブ", "manabu"),
               ("大樹", "ダイキ", "daiki"), ("彩", "アヤ", "aya"), ("隆", "タカシ", "takashi"),
               ("久美子", "クミコ", "kumiko"), ("剛", "ツヨシ", "tsuyoshi"), ("舞", "マイ", "mai"),
               ("雄一", "ユウイチ", "yuichi"), ("智子", "トモコ", "tomoko"), ("修", "オサム", "osamu"),
               ("彩花", "アヤカ", "ayaka"), ("亮", "リョウ", "ryo"), ("みどり", "ミドリ", "midori"),
               ("千尋", "チヒロ", "chihiro"), ("颯太", "ソウタ", "sota"), ("麻衣", "マイ", "mai"),
               ("康弘", "ヤスヒロ", "yasuhiro"), ("由紀子", "ユキコ", "yukiko"), ("湊", "ミナト", "minato"),
               ("芽衣", "メイ", "mei"), ("大翔", "ヒロト", "hiroto"), ("葵", "アオイ", "aoi"),
               ("ひかる", "ヒカル", "hikaru"), ("エミリー", "エミリー", "emily"), ("ヴィクトル", "ヴィクトル", "viktor")]
FOREIGN = [("Brown", "James"), ("Schmidt", "Lena"), ("O'Neill", "Patrick"), ("Rossi", "Marco"),
           ("Kim", "Jiwoo"), ("Dubois", "Claire")]
FIRMS = [("青葉商会", "アオバショウカイ"), ("東洋精機", "トウヨウセイキ"), ("三河物流", "ミカワブツリュウ"),
         ("ひまわり建設", "ヒマワリケンセツ"), ("北星ソフト", "ホクセイソフト"), ("やまびこ信金", "ヤマビコシンキン"),
         ("日本ハンドヘルド", "ニホンハンドヘルド"), ("銀座デザイン", "ギンザデザイン"), ("瀬戸内印刷", "セトウチインサツ"),
         ("九州電装", "キュウシュウデンソウ")]
FIRM_FORMS = ["株式会社{}", "{}株式会社", "有限会社{}", "{}", "{}（株）"]
TITLES = ["", "", "", "", "部長", "課長", "係長", "主任", "取締役", "リーダー", "総務部 主査"]
TOWNS = [("101-0021", "東京都", "千代田区", "外神田"), ("542-0081", "大阪府", "大阪市中央区", "南船場"),
         ("231-0023", "神奈川県", "横浜市中区", "山下町"), ("460-0008", "愛知県", "名古屋市中区", "栄"),
         ("064-0804", "北海道", "札幌市中央区", "南四条西"), ("810-0001", "福岡県", "福岡市中央区", "天神"),
         ("604-8005", "京都府", "京都市中京区", "河原町通三条上ル"), ("730-0011", "広島県", "広島市中区", "基町"),
         ("760-0019", "香川県", "高松市", "サンポート"), ("160-0022", "東京都", "新宿区", "新宿")]
SUFFIXES = ["", "", "", " 中央ビル5F", " メゾン青葉 203号", " ツインタワー 21階", " コーポ山田102"]
NOTES = ["紹介：高木さん, 2021年商談会", "\"要注意\"案件", "備考;再訪問", "暑中見舞い 済",
         "誕生日 9月3日", "旧住所\\転居済み", "最寄り駅 徒歩5分", "英語可", "年賀状リスト",
         "～午後のみ在席～"]
LABEL_IDS = list(range(8))
V30_TYPES = {0: "WORK,VOICE", 1: "HOME,VOICE", 2: "WORK,FAX", 3: "VOICE", 5: "MAIN", 6: "PAGER",
             7: "CELL,VOICE"}
V21_TYPES = {0: "WORK;VOICE", 1: "HOME;VOICE", 2: "WORK;FAX", 3: "VOICE", 5: "MAIN", 6: "PAGER", 7: "CELL"}
CATEGORIES = ["未分類", "仕事", "個人", "家族", "取引先", "友人"]
COLUMNS = (["category", "private", "last_name", "first_name", "last_name_reading", "first_name_reading",
            "company", "company_reading", "title"]
           + [f"phone{n}{part}" for n in range(1, 6) for part in ("_label", "")]
           + ["display_phone", "zip", "state", "city", "address", "country", "custom1", "custom2", "note"])

# Full-width katakana to half-width: NFKC maps each half-width letter to its full-width one,
# so the table is that mapping reversed; voiced letters are split first (NFD).
TO_HALF = {unicodedata.normalize("NFKC", chr(c)): chr(c) for c in range(0xFF66, 0xFF9E)}
TO_HALF.update({"\u3099": "\uFF9E", "\u309A": "\uFF9F", "ー": "ｰ"})


def half_width(kana):
    return "".join(TO_HALF.get(ch, ch) for ch in unicodedata.normalize("NFD", kana))


def contact(rng, label, mailbox, domain):
    if label == 4:
        return f"{mailbox}{rng.randint(1, 999) if rng.random() < 0.3 else ''}@{domain}"
    if label in (6, 7):
        return f"0{rng.choice('987')}0-{rng.randint(1000, 9999)}-{rng.randint(1000, 9999)}"
    return f"{rng.choice(['03', '06', '045', '052', '011', '092', '075', '082', '087'])}-" \
           f"{rng.randint(100, 9999)}-{rng.randint(1000, 9999)}"


def draw_card(rng):
    card = dict.fromkeys(COLUMNS, "")
    x = rng.random()
    if x < 0.86:
        (last, last_kana, last_roman), (first, first_kana, first_roman) = \
            rng.choice(SURNAMES), rng.choice(GIVEN_NAMES)
        card.update(last_name=last, first_name=first, last_name_reading=last_kana,
                    first_name_reading=first_kana)
        mailbox = f"{first_roman}.{last_roman}"
    elif x < 0.93:
        last, first = rng.choice(FOREIGN)
        card.update(last_name=last, first_name=first)
        mailbox = (first[0] + last).lower().replace("'", "")
    else:
        mailbox = "contact"                               # a card of a company alone
    if mailbox == "contact" or rng.random() < 0.45:
        firm, firm_kana = rng.choice(FIRMS)
        card.update(company=rng.choice(FIRM_FORMS).format(firm), company_reading=firm_kana,
                    title=rng.choice(TITLES))
    domain = rng.choice(["example.co.jp", "example.or.jp", "mobile.example.jp", "example.net"])
    used = rng.choice([1, 1, 2, 2, 3, 3, 3, 4, 5])
    labels = rng.sample(LABEL_IDS, used)
    labels += [x for x in range(5) if x not in labels][:5 - used]   # empty slots keep a label too
    for slot, label in enumerate(labels, 1):
        card[f"phone{slot}_label"] = str(label)
        card[f"phone{slot}"] = contact(rng, label, mailbox, domain) if slot <= used else ""
    card["display_phone"] = str(rng.randrange(used))
    if rng.random() < 0.7:
        zip_code, state, city, town = rng.choice(TOWNS)
        card.update(zip=zip_code, state=state, city=city,
                    address=f"{town}{rng.randint(1, 9)}-{rng.randint(1, 40)}-{rng.randint(1, 25)}"
                            + rng.choice(SUFFIXES),
                    country="日本" if rng.random() < 0.25 else "")
    if rng.random() < 0.15:
        card["custom1"] = f"誕生日 {rng.randint(1945, 2010)}/{rng.randint(1, 12):02d}/{rng.randint(1, 28):02d}"
    if rng.random() < 0.05:
        card["custom2"] = "釣り仲間"
    if rng.random() < 0.25:
        card["note"] = "\n".join(rng.sample(NOTES, rng.randint(1, 3)))
    card["category"] = str(rng.choice([0, 0, 0, 1, 1, 2, 3, 4, 5]))
    card["private"] = "1" if rng.random() < 0.1 else "0"
    for value in card.values():
        value.encode("cp932")                               # fails loudly on a text a phone cannot keep
    return card


def full_name(card):
    return " ".join(x for x in (card["last_name"], card["first_name"]) if x) or card["company"]


def vcard30(card):
    lines = ["BEGIN:VCARD", "VERSION:3.0", f"N:{escape_text(card['last_name'])};{escape_text(card['first_name'])};;;",
             "FN:" + escape_text(full_name(card))]
    for key, prop in (("last_name_reading", "X-PHONETIC-LAST-NAME"), ("first_name_reading", "X-PHONETIC-FIRST-NAME")):
        if card[key]:
            lines.append(f"{prop}:{escape_text(card[key])}")
    if card["company"]:
        lines += [f"ORG:{escape_text(card['company'])};", "X-PHONETIC-ORG:" + escape_text(card["company_reading"])]
    if card["title"]:
        lines.append("TITLE:" + escape_text(card["title"]))
    preferred = int(card["display_phone"]) + 1
    for slot in range(1, 6):
        value, label = card[f"phone{slot}"], int(card[f"phone{slot}_label"])
        if value:
            pref = ",PREF" if slot == preferred else ""
            lines.append(f"EMAIL;TYPE=INTERNET{pref}:{value}" if label == 4 else f"TEL;TYPE={V30_TYPES[label]}{pref}:{value}")
    if card["address"]:
        lines.append("ADR;TYPE=WORK:;;" + ";".join(escape_text(card[k]) for k in ("address", "city", "state", "zip", "country")))
    for key in ("custom1", "custom2"):
        if card[key]:
            lines.append(f"X-{key.upper()}:{escape_text(card[key])}")
    if card["note"]:
        lines.append("NOTE:" + escape_text(card["note"]))
    lines.append("CATEGORIES:" + escape_text(CATEGORIES[int(card["category"])]))
    if card["private"] == "1":
        lines.append("CLASS:PRIVATE")
    lines.append("END:VCARD")
    return b"".join(fold_line(x) for x in lines)


def property21(name, value):
    """A vCard 2.1 property: plain when the value is printable ASCII, otherwise code page 932 in
    quoted-printable, every byte of a non-ASCII character, "=" and 0x5C as =XX, with soft line
    breaks between characters that keep each line within 76 columns."""
    if value.isascii() and "\n" not in value:
        return f"{name}:{value}\r\n".encode("ascii")
    pieces = [ch if " " <= ch <= "~" and ch not in "=\\" else
              "".join(f"={b:02X}" for b in ch.encode("cp932")) for ch in value.replace("\n", "\r\n")]
    if pieces[-1] == " ":
        pieces[-1] = "=20"                               # trailing blanks would be stripped
    lines, line = [], f"{name};CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:"
    for piece in pieces:
        if len(line) + len(piece) > 75:
            if line.endswith(" "):                       # a blank never ends a line either
                line, piece = line[:-1], "=20" + piece
            lines.append(line + "=")
            line = ""
        line += piece
    lines.append(line)
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


def vcard21(card):
    parts = [b"BEGIN:VCARD\r\nVERSION:2.1\r\n",
             property21("N", f"{card['last_name'].replace(';', chr(92) + ';')};"
                             f"{card['first_name'].replace(';', chr(92) + ';')};;;"),
             property21("FN", full_name(card))]
    if card["last_name_reading"] or card["first_name_reading"]:
        parts.append(property21("SOUND;X-IRMC-N", f"{half_width(card['last_name_reading'])};"
                                                  f"{half_width(card['first_name_reading'])};;;"))
    if card["company"]:
        parts.append(property21("ORG", card["company"].replace(";", "\\;")))
    if card["title"]:
        parts.append(property21("TITLE", card["title"]))
    preferred = int(card["display_phone"]) + 1
    for slot in range(1, 6):
        value, label = card[f"phone{slot}"], int(card[f"phone{slot}_label"])
        if value:
            pref = ";PREF" if slot == preferred else ""
            parts.append(property21(f"EMAIL;INTERNET{pref}" if label == 4 else f"TEL;{V21_TYPES[label]}{pref}", value))
    if card["address"]:
        parts.append(property21("ADR;WORK", ";;" + ";".join(card[k].replace(";", "\\;") for k in
                                                             ("address", "city", "state", "zip", "country"))))
    if card["note"]:
        parts.append(property21("NOTE", card["note"]))
    parts.append(b"END:VCARD\r\n")
    return b"".join(parts)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    count, folder = count_arg(sys.argv[1]), sys.argv[2]
    rng = random.Random(SEED)
    cards = [draw_card(rng) for _ in range(count)]
    write_atomically(os.path.join(folder, "cards.jsonl"), json_lines(cards))
    write_atomically(os.path.join(folder, "cards.vcf"), b"".join(vcard30(c) for c in cards))
    write_atomically(os.path.join(folder, "cards_sjis21.vcf"), b"".join(vcard21(c) for c in cards))
    table = io.StringIO(newline="")
    writer = csv.DictWriter(table, fieldnames=COLUMNS, lineterminator="\r\n")
    writer.writeheader()
    writer.writerows(cards)
    write_atomically(os.path.join(folder, "cards.csv"), table.getvalue().encode("utf-8"))
    print(f"{count} cards in {folder}")


if __name__ == "__main__":
    main()
