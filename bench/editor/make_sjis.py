#!/usr/bin/env python3
"""Writes a Shift-JIS test text of about the given size (e.g. 8M, 100M, 1G).

  make_sjis.py line SIZE FILE   one line of Japanese with ASCII, no line end
  make_sjis.py prose SIZE FILE  Japanese prose in short lines, LF line ends

A block of random text is made once and repeated for the larger sizes."""
import random
import sys

WORDS = """私 吾輩 猫 名前 まだ ない どこ 生まれた とんと 見当 つかぬ 何でも 薄暗い
じめじめ した 所 ニャーニャー 泣いて いた事 だけ 記憶 している 始めて 人間 という
もの 見た しかも あと 聞く それ 書生 という 中で 一番 獰悪 種族 であった そうだ
東京 大阪 新幹線 電車 駅 午前 午後 天気 晴れ 雨 雪 風 山 川 海 空 春 夏 秋 冬
カタカナ コンピュータ プログラム エディタ ファイル ウィンドウ テキスト データ
漢字 平仮名 片仮名 文章 段落 行 文字 改行 表示 編集 保存 検索 置換 印刷 設定""".split()
ASCII = "Qt 2026 file.txt ABC xyz 100MB Shift_JIS 8bit OK".split()
PUNCT = ["、", "。", "「", "」", "・", "　"]


def block(rng, size, lines):
    parts, n = [], 0
    while n < size:
        length = rng.randint(8, 40) if lines else 1 << 30
        row = []
        while len(row) < length and n < size:
            word = rng.choice(ASCII) + " " if rng.random() < 0.08 else rng.choice(WORDS)
            word += rng.choice(PUNCT) if rng.random() < 0.25 else ""
            row.append(word)
            n += len(word.encode("cp932"))
        parts.append("".join(row) + ("\n" if lines else ""))
        n += 1 if lines else 0
    return "".join(parts).encode("cp932")


def main():
    kind, size_text, path = sys.argv[1:4]
    units = {"K": 1 << 10, "M": 1 << 20, "G": 1 << 30}
    size = int(size_text[:-1]) * units[size_text[-1]] if size_text[-1] in units else int(size_text)
    data = block(random.Random(1), min(size, 32 << 20), kind == "prose")
    with open(path, "wb") as out:
        written = 0
        while written + len(data) <= size:
            out.write(data)
            written += len(data)
        rest = data[: size - written]
        # Never end inside a two-byte character.
        while rest and not _whole(rest):
            rest = rest[:-1]
        out.write(rest)


def _whole(data):
    try:
        data.decode("cp932")
        return True
    except UnicodeDecodeError:
        return False


if __name__ == "__main__":
    main()
