#!/usr/bin/env python3
"""Writes the character-set fixtures in tests/data/charsets/.

Usage: make_charset_fixtures.py [OUTPUT_DIR]

Each fixture is a small game record whose texts are in one character set, its bytes made by
Python's own codecs; beside it, expected/NAME.sgf holds the same record in UTF-8, the text a
correct decoder gives. Broken records put bytes that are no character of their set between
encoded parts, and U+FFFD in the expected text at exactly those places. The files are committed;
run this again only to change them.
"""
import os
import sys

BAD = "\ufffd"

# A piece of a record: text to encode, or raw bytes with the text a decoder must show for them.
class Raw:
    def __init__(self, data, shown):
        self.data = data
        self.shown = shown


def record(ca, black, white, event, *comments):
    """The pieces of a short game: the header and a commented move for each comment."""
    head = "(;GM[1]FF[4]" + (f"CA[{ca}]" if ca else "") + "SZ[19]"
    pieces = [head, "PB[", *black, "]PW[", *white, "]EV[", *event, "]RE[B+R]"]
    for move, comment in zip(["pd", "dp", "qp"], comments):
        colour = "B" if move != "dp" else "W"
        pieces += [f";{colour}[{move}]C[", *comment, "]"]
    pieces.append(")\n")
    return pieces


FIXTURES = [
    # name, codec the strings are encoded with, pieces
    ("gbk", "gbk", record("GB2312", ["柯洁"], ["古力"], ["第二十二届三星杯世界围棋大师赛"],
                           ["黑棋开局占星位，白棋应以小目。"], ["双方进入中盘战斗。"])),
    ("gb18030", "gb18030", record("GB18030", ["芈昱廷"], ["Csaba Mérő"], ["中欧围棋交流赛"],
                                  ["匈牙利棋手Csaba Mérő执白。"], ["黑棋实地领先。"])),
    ("big5", "big5", record("Big5", ["周俊勳"], ["林海峰"], ["第十屆應氏杯"],
                            ["黑棋佔據星位，白棋掛角。"], ["雙方進入中盤。"])),
    ("euc-kr", "euc_kr", record("EUC-KR", ["이세돌"], ["박정환"], ["삼성화재배 결승"],
                                ["흑이 화점에 두었다."], ["백이 소목으로 응수했다."])),
    # 十 is 8F 5C and 転 is 93 5D: a '\' and a ']' as second bytes.
    ("shift_jis", "cp932", record("Shift_JIS", ["井山裕太"], ["一力遼"], ["第58期十段戦"],
                                  ["評：黒の打ち方で形勢が好転した。"], ["「本因坊」の称号を懸けた一局。"])),
    ("euc-jp", "euc_jp", record("EUC-JP", ["張栩"], ["趙治勲"], ["名人戦"],
                                ["黒番は張栩名人。"], ["ヨセで白が追い上げる。"])),
    ("iso-8859-1", "latin-1", record("ISO8859_1", ["Frédéric Donzet"], ["Jürgen Müller"],
                                     ["Championnat de France à Besançon"],
                                     ["Très belle ouverture ; « hoshi » en haut à droite."],
                                     ["Schöner Zug von Weiß."])),
    ("iso-8859-2", "iso8859_2", record("ISO-8859-2", ["Ondřej Šilt"], ["Mateusz Surma"],
                                       ["Mistrzostwa Polski w Łodzi"],
                                       ["Černý hraje na hvězdný bod."], ["Biały odpowiada źle."])),
    ("iso-8859-5", "iso8859_5", record("iso-8859-5", ["Александр Динерштейн"], ["Илья Шикшин"],
                                       ["Чемпионат России"], ["Чёрные занимают угол."],
                                       ["Белые отвечают."])),
    ("windows-1251", "cp1251", record("windows-1251", ["Артем Качановський"], ["Андрій Кравець"],
                                      ["Чемпіонат України"], ["Чорні займають кут."],
                                      ["Білі відповідають — ґрунтовно."])),
    ("windows-1252", "cp1252", record("cp1252", ["Benjamin Teuber"], ["Fernando Aguilar"],
                                      ["Torneo de Córdoba"],
                                      ["Premio de 500 € – “la jugada más bella”."],
                                      ["Œuvre d’art… ‰"])),
    ("utf-8", "utf-8", record("UTF-8", ["申真谞"], ["井山裕太"], ["Партия — 名局"],
                              ["흑 불계승 — Jörg’s ★ comment"], ["Ελληνικά και עברית"])),
    ("utf-8-undeclared", "utf-8", record(None, ["申眞諝"], ["朴廷桓"], ["LG배 결승"],
                                         ["백 반집승"], ["Noch einmal: Schwarz gewinnt."])),
    ("ascii", "ascii", record(None, ["Lee Sedol"], ["Gu Li"], ["Jubango"],
                              ["Black takes the corner."], ["White answers."])),
    # Not UTF-8 and nothing declared: read in the system's ANSI code page.
    ("undeclared-ansi", "cp1252", record(None, ["Jürgen Dörr"], ["Ralf Wüst"], ["Bundesliga"],
                                         ["Weiß spielt gut."], ["Schwarz führt."])),
    # Broken UTF-8: a cut sequence (E6 A3, then a new character), a stray continuation byte, an overlong
    # '/' (C0 AF), a surrogate (ED A0 80), a byte that never begins UTF-8 (F5), and a cut
    # four-byte sequence at the end of a value (F0 9F 98).
    ("utf-8-invalid", "utf-8", record("UTF-8", ["柯", Raw(b"\xe6\xa3", BAD), "洁"],
                                      ["Gu", Raw(b"\x80", BAD), "Li"],
                                      ["a", Raw(b"\xc0\xaf", BAD * 2), "b"],
                                      [Raw(b"\xed\xa0\x80", BAD * 3), "棋", Raw(b"\xf5", BAD), "局"],
                                      ["end", Raw(b"\xf0\x9f\x98", BAD)])),
    # Broken GBK: a first byte before a space (B0 20), one before 0x7F, which is never a
    # second byte, and a first byte cut off by the end of the file.
    ("gbk-invalid", "gbk", record("GBK", ["柯", Raw(b"\xb0", BAD), " 洁"], ["古力"], ["围棋"],
                                  ["黑", Raw(b"\x81", BAD), "\x7f白"], ["好棋"]) + [Raw(b"\xb0", BAD)]),
    # Broken Shift_JIS: a first byte before a space, and 0x80, which is no character in CP932.
    ("shift_jis-invalid", "cp932", record("SJIS", ["井山", Raw(b"\x81", BAD), " 裕太"], ["一力遼"],
                                          ["十段", Raw(b"\x80", BAD), "戦"], ["黒番。"], ["白番。"])),
]


def build(codec, pieces):
    data, shown = bytearray(), []
    for piece in pieces:
        if isinstance(piece, Raw):
            data += piece.data
            shown.append(piece.shown)
        else:
            data += piece.encode(codec)
            shown.append(piece)
    return bytes(data), "".join(shown)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "charsets")
    os.makedirs(os.path.join(out, "expected"), exist_ok=True)
    for name, codec, pieces in FIXTURES:
        data, shown = build(codec, pieces)
        with open(os.path.join(out, name + ".sgf"), "wb") as f:
            f.write(data)
        with open(os.path.join(out, "expected", name + ".sgf"), "wb") as f:
            f.write(shown.encode("utf-8"))
    # A byte-order mark before an undeclared UTF-8 record.
    data, shown = build("utf-8", record(None, ["芝野虎丸"], ["余正麒"], ["王座戦"], ["黒の勝ち。"], ["白の負け。"]))
    with open(os.path.join(out, "utf-8-bom.sgf"), "wb") as f:
        f.write(b"\xef\xbb\xbf" + data)
    with open(os.path.join(out, "expected", "utf-8-bom.sgf"), "wb") as f:
        f.write(shown.encode("utf-8"))


if __name__ == "__main__":
    main()
