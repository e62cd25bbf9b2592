#!/usr/bin/env python3
"""Writes the seed corpus of read_diary_fuzz: small diaries built from the file format's rules,
some valid and some spoiled in one way each. Run it again after changing it; the files are
committed."""

import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent / "corpus" / "read_diary_fuzz"
WEIGHTS = [-0.26855, 0.08486, 0.28722, 0.17522, -0.32214]


def u16(value):
    return struct.pack("<H", value)


def u32(value):
    return struct.pack("<I", value)


def f32(value):
    return struct.pack("<f", value)


def text(value):
    data = value.encode("cp1252")
    if len(data) < 255:
        return bytes([len(data)]) + data
    return b"\xff" + u16(len(data)) + data


def wide(value):
    """The UTF-16 form a reader must accept (FF FE FF, then the length in code units)."""
    data = value.encode("utf-16-le")
    return b"\xff\xfe\xff" + bytes([len(data) // 2]) + data


def new_class(name, schema=1):
    return u16(0xFFFF) + u16(schema) + u16(len(name)) + name.encode()


def food(name, history="n" * 49 + "y"):
    fields = f32(0.0)
    for weight in WEIGHTS:
        fields += f32(weight) + f32(0.0) + f32(0.0)
    return fields + text(history) + text(name)


def symptom(name, history="n" * 50):
    fields = b"".join(f32(0.0) for _ in range(8))
    for weight in WEIGHTS:
        fields += f32(weight) + f32(0.0) + f32(0.0)
    return fields + text(history) + text(name)


def hidden(name):
    return b"".join(f32(0.1 * k) for k in range(7)) + text(name)


def string_list(values):
    return u16(len(values)) + b"".join(text(v) for v in values)


def hidden_list(class_number, units=5):
    out = u16(units)
    for unit in range(units):
        out += new_class("CHidden") if unit == 0 else u16(0x8000 | class_number)
        out += hidden(str(unit))
    return out


def diary(foods, symptoms, hidden_part, food_names=None, symptom_lines=None, day_count=1):
    """foods and symptoms are already encoded object lists."""
    return (u32(1_100_000_000) + u32(day_count)
            + string_list(food_names or []) + foods
            + string_list(symptom_lines or []) + symptoms + hidden_part)


def worked_example():
    return diary(u16(1) + new_class("CFood") + food("Tea"),
                 u16(1) + new_class("CSymptom") + symptom("Headache"),
                 hidden_list(5), ["Tea"], ["Headache  (no change)"])


def main():
    HERE.mkdir(parents=True, exist_ok=True)
    example = worked_example()
    seeds = {
        "worked_example.glg": example,
        "empty_diary.glg": diary(u16(0), u16(0), hidden_list(1), day_count=0),
        "trailing_bytes.glg": example + b"\xff\xff\x01\x00",
        "three_foods_two_symptoms.glg": diary(
            u16(3) + new_class("CFood") + food("Tea") + u16(0x8001) + food("Rice", "y" * 50)
            + u16(0x8001) + food("Caf\u00e9", "ynYn" * 12 + "yy"),
            u16(2) + new_class("CSymptom") + symptom("Headache", "bw" * 25)
            + u16(0x8005) + symptom("Nausea"),
            hidden_list(8), ["Tea", "Rice", "Caf\u00e9"],
            ["Headache  (worse)    ", "Nausea"], day_count=57),
        "references_and_long_forms.glg": diary(
            u16(4) + new_class("CFood") + food("Tea") + u16(0x7FFF) + u32(0x80000001)
            + food("Rice") + u16(0x0002) + u16(0x7FFF) + u32(3),
            u16(0), hidden_list(4), ["Tea", "Rice", "Tea", "Rice"]),
        "wide_name.glg": u32(1_100_000_000) + u32(1) + u16(1) + wide("T\u20ac\u4e2d")
        + u16(1) + new_class("CFood") + food("Tea") + string_list([]) + u16(0) + hidden_list(3),
        "long_name.glg": diary(u16(1) + new_class("CFood") + food("x" * 300), u16(0),
                               hidden_list(3), ["x" * 300]),
        "truncated.glg": example[:300],
        "hostile_count.glg": u32(0) + u32(1) + u16(0xFFFF) + u32(0xFFFFFFFF) + b"\x00" * 10,
        "unit_in_food_list.glg": diary(u16(1) + new_class("CHidden") + hidden("0"), u16(0),
                                       hidden_list(1)),
        "schema_two.glg": diary(u16(1) + new_class("CFood", 2) + food("Tea"), u16(0),
                                hidden_list(3)),
        "short_history.glg": diary(u16(1) + new_class("CFood") + food("Tea", "n" * 49), u16(0),
                                   hidden_list(3)),
        "four_units.glg": diary(u16(0), u16(0), hidden_list(1, 4)),
        "null_entry.glg": diary(u16(1) + u16(0), u16(0), hidden_list(1)),
    }
    for name, data in seeds.items():
        (HERE / name).write_bytes(data)
    print(f"{len(seeds)} seeds written to {HERE}")


if __name__ == "__main__":
    main()
