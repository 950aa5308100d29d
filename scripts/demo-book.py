#!/usr/bin/env python3
"""Writes a demo friend book and memo file into the folder given."""
import pathlib
import struct
import sys

FRIENDS = [
    # pet kind, pet name, friend name, address, count, memo
    (1, "くまきち", "山田 花子", "hanako@example.jp", 12, "誕生日は5月3日。\r\n甘いものが好き"),
    (2, "ミミ", "佐藤 健", "ken.sato@example.jp", 3, ""),
    (3, "のそのそ", "鈴木 一郎", "ichiro@example.com", 48, "メールは短めに、返事は早い"),
    (4, "タマ", "高橋 みどり", "midori_t@example.ne.jp", 7, "猫好き仲間"),
    (6, "メカ丸", "田中 ゆうき", "yuki-tanaka@example.org", 0, ""),
    (7, "ハム太", "伊藤 さくら", "sakura@example.jp", 25, "引っ越し予定あり, 新住所待ち"),
    (8, "ペンペン", "渡辺 翔", "sho.w@example.jp", 1, ""),
    (9, "ポチ", "中村 あや", "aya@example.co.jp", 103, "犬の散歩仲間\r\n毎朝7時"),
    (1, "テディ", "小林 直人", "naoto@example.jp", 9, ""),
    (0, "", "加藤 先生", "sensei@example.ac.jp", 2, "ゼミの連絡はこちらへ"),
    (2, "うさこ", "吉田 まり", "mari.y@example.jp", 16, ""),
    (4, "ミケ", "ｶﾀｶﾅ ﾀﾛｳ", "taro@example.jp", 4, "半角カナの名前のおともだち"),
]


def text(s):
    data = s.encode("cp932")
    return bytes([len(data)]) + data


def main():
    folder = pathlib.Path(sys.argv[1])
    book = b""
    memo = b""
    for kind, pet, name, address, count, note in FRIENDS:
        book += bytes([kind, 0, 0, 0]) + text(pet) + text(name) + text(address)
        book += struct.pack("<HH", count, 0)
        memo += ",".join('"%s"' % f for f in (name, address, note)).encode("cp932") + b"\r\n"
    (folder / "おともだち帳").write_bytes(book)
    (folder / "Quillby.memo").write_bytes(memo)


if __name__ == "__main__":
    main()
