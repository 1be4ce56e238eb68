#!/usr/bin/env python3
"""Writes examples/sample.mnx, the sample menu of the README, byte by byte.

The menu file is little-endian without a header: categories with products,
page texts, settings, eight fonts, then the groups A to G (see the reader in
src/files/MenuFile.cpp). Run from anywhere: python3 tools/make_sample_menu.py
"""
import os
import struct

out = bytearray()


def i32(v):
    out.extend(struct.pack("<i", v))


def u32(v):
    out.extend(struct.pack("<I", v))


def f64(v):
    out.extend(struct.pack("<d", v))


def flag(v):
    out.append(1 if v else 0)


def text(s):
    units = s.encode("utf-16-le")
    i32(len(units) // 2)
    out.extend(units)


def font(face, size, style, charset=0, color=0xFF000008, pitch=0, ppi=96):
    name = face.encode("cp1252")
    out.append(charset)
    u32(color)
    out.append(len(name) & 0xFF)
    out.extend(name)
    out.append(pitch)
    i32(ppi)
    i32(size)
    out.append(style)


def product(name, description="", quantity="", price=0.0, number=0):
    text(name)
    text(description.replace("\n", "\r\n"))
    text(quantity)
    f64(price)
    i32(number)


BOLD, ITALIC = 1, 2

categories = [
    ("Vorspeisen", [
        ("Bruschetta (A)", "Geröstetes Landbrot mit Tomaten, Knoblauch und Basilikum", "", 6.50, 0),
        ("Vitello tonnato (C; D)", "Zart rosa gebratenes Kalbfleisch in Thunfischsauce mit Kapern", "", 12.90, 0),
        ("Beef Tatar (C; J)", "Vom Rind, klassisch angemacht, mit Wachtelei und Röstbrot", "", 15.50, 0),
        ("Gebackener Camembert (1) (A; C; G)", "Mit Preiselbeeren und Blattsalat", "", 9.80, 0),
        ("Antipasti-Teller", "Gegrilltes Gemüse, Oliven, Schinken und Käse\nfür zwei Personen", "", 18.00, 0),
    ]),
    ("Suppen", [
        ("Rindssuppe mit Frittaten (A; C; L)", "Kräftige Brühe vom Rind mit feinen Pfannkuchenstreifen", "", 4.90, 0),
        ("Kürbiscremesuppe (G)", "Mit Kernöl und gerösteten Kürbiskernen", "", 5.20, 0),
        ("Tagessuppe", "Fragen Sie unser Service-Team", "", 0.0, 0),
    ]),
    ("Hauptgerichte", [
        ("", "Alle Hauptgerichte bereiten wir frisch für Sie zu. Bitte haben Sie an "
             "Wochenenden etwas Geduld.", "", -1.0, 0),
        ("Wiener Schnitzel (A; C; G)", "Vom Kalb, in Butterschmalz gebacken, mit Petersilienkartoffeln "
         "und Preiselbeeren", "", 22.50, 0),
        ("Zwiebelrostbraten (1; 3) (A; L)", "Rumpsteak mit Röstzwiebeln, Bratkartoffeln und Gurkensalat", "", 24.90, 0),
        ("Gulasch (1)", "Nach Wiener Art, mit Semmelknödel", "", 14.50, 0),
        ("Lachsfilet (D; G)", "Auf der Haut gebraten, mit Blattspinat und Rosmarinkartoffeln", "", 21.00, 0),
        ("Spinatknödel (A; C; G)", "In brauner Butter, mit Parmesan", "", 13.50, 0),
        ("Käsespätzle (A; C; G)", "Mit Bergkäse und Röstzwiebeln\nDazu ein kleiner Salat", "", 12.80, 0),
        ("Tafelspitz", "Mit Apfelkren, Schnittlauchsauce, Rösti und Wurzelgemüse. Ein Klassiker "
         "unseres Hauses, langsam gegart und in der Suppe serviert.", "", 26.50, 0),
        ("Hühnerbrust (G)", "Vom Freilandhuhn, mit Risotto und Ofengemüse", "", 19.90, 0),
        ("Fisch des Tages", "Je nach Fang", "", 0.0, 0),
        ("Kinderschnitzel (A; C)", "Mit Pommes frites", "", 8.90, -1),
    ]),
    ("Desserts", [
        ("Kaiserschmarrn (A; C; G)", "Mit Zwetschkenröster und Apfelmus", "", 9.50, 0),
        ("Apfelstrudel (A; G; H)", "Warm, mit Vanilleeis oder Schlagobers", "", 6.90, 0),
        ("Mousse au Chocolat (C; G)", "Von dunkler Schokolade, mit Beeren", "", 7.50, 0),
        ("Palatschinken (A; C; G)", "Zwei Stück, mit Marillenmarmelade", "", 6.50, 0),
        ("Eisbecher nach Wahl (1; 2) (G; H)", "Drei Kugeln mit Schlagobers\nSorten: Vanille, Schokolade, "
         "Erdbeere, Pistazie, Zitrone", "", 7.80, 0),
    ]),
    ("Getränke", [
        ("Mineralwasser", "", "0,5 l", 3.50, 50),
        ("Apfelsaft gespritzt", "", "0,5 l", 3.90, 51),
        ("Cola (2; 4)", "", "0,33 l", 3.80, 52),
        ("Hausbier vom Fass", "", "0,5 l", 4.60, 53),
        ("Grüner Veltliner", "Weingut am Berg, trocken", "1/8 l", 4.20, 54),
        ("Zweigelt", "Kräftig, mit feiner Kirschnote", "1/8 l", 4.50, 55),
        ("Espresso", "", "", 2.80, 56),
        ("Melange", "", "", 3.90, 57),
        ("Marillenbrand", "Aus der Wachau", "2 cl", 4.50, 58),
        ("Hauswein aus dem Keller", "Fragen Sie nach unserer Empfehlung", "", 0.0, 59),
    ]),
]

i32(len(categories))
for name, products in categories:
    text(name)
    i32(len(products))
    for p in products:
        product(*p)

text("Speisekarte")  # heading
text("Unsere Preise beinhalten Bedienungsgeld und die gesetzliche Mehrwertsteuer")
text("€")
text("paper.jpg")
flag(True)   # frame
flag(True)   # category names in capitals
for v in (20.0, 20.0, 20.0, 20.0):  # margins left, top, right, bottom
    f64(v)
f64(23.0)    # texture width, cm
f64(10.0)    # texture height, cm
f64(50.0)    # brightness
f64(0.0)     # saturation
flag(True)   # keep aspect ratio
flag(False)  # grey texture
flag(True)   # lighten texture
flag(True)   # heading centred
font("Times New Roman", 28, BOLD)      # heading
font("Times New Roman", 14, BOLD)      # category names
font("Times New Roman", 12, BOLD)      # numbers and names
font("Times New Roman", 11, ITALIC)    # descriptions
font("Times New Roman", 12, 0)         # prices
font("Courier New", 12, 0)             # dot leaders
font("Times New Roman", 12, ITALIC)    # free text
font("Times New Roman", 9, 0)          # footer and legends
flag(False)  # A: prices with decimals
flag(False)  # B: no new page per category
flag(False)  # C: dot leaders
flag(True)   # C: category headings centred
text("Gasthaus zur Linde · Hauptstraße 1 · Tel. 01234 5678")
font("Times New Roman", 9, ITALIC)     # header
additives = ["mit Farbstoff", "mit Konservierungsstoff", "mit Antioxidationsmittel",
             "koffeinhaltig"]
i32(len(additives))
for i, a in enumerate(additives):
    text(str(i + 1))
    text(a)
allergens = ["glutenhaltiges Getreide", "Krebstiere", "Eier", "Fisch", "Erdnüsse", "Soja",
             "Milch oder Laktose", "Schalenfrüchte", "Sellerie", "Senf", "Sesamsamen",
             "Sulfite", "Lupinen", "Weichtiere"]
i32(len(allergens))
for i, a in enumerate(allergens):
    text(chr(65 + i))
    text(a)
flag(True)   # F: only used additives
i32(2)       # G: product database
product("Wiener Schnitzel (A; C; G)", "Vom Kalb, mit Petersilienkartoffeln", "", 22.50, 0)
product("Hausbier vom Fass", "", "0,5 l", 4.60, 0)

path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples", "sample.mnx")
with open(path, "wb") as f:
    f.write(out)
print(f"wrote {os.path.normpath(path)} ({len(out)} bytes)")
