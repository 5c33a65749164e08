#include "DemoData.h"

#include <QStringEncoder>
#include <array>

namespace {

using enum Pictogram;

// clang-format off
const auto Words = std::to_array<DemoWord>({
    // Tiere
    {"Hund", "der", "1", "TiereHaustiere", Tile, true},
    {"Katze", "die", "1", "TiereHaustiere", Tile},
    {"Maus", "die", "2", "TiereHaustiere", Tile},
    {"Pferd", "das", "1", "Tiere", Tile},
    {"Kuh", "die", "2", "Tiere", Tile},
    {"Schwein", "das", "2", "Tiere"},
    {"Schaf", "das", "2", "Tiere"},
    {"Ziege", "die", "3", "Tiere"},
    {"Huhn", "das", "2", "Tiere"},
    {"Ente", "die", "2", "Tiere", Tile},
    {"Gans", "die", "3", "Tiere"},
    {"Vogel", "der", "1", "Tiere", Tile},
    {"Fisch", "der", "1", "TiereHaustiereEssen", Fish},
    {"Bär", "der", "2", "Tiere", Tile, true},
    {"Löwe", "der", "2", "Tiere", Tile},
    {"Tiger", "der", "3", "Tiere"},
    {"Elefant", "der", "2", "Tiere", Tile},
    {"Affe", "der", "2", "Tiere"},
    {"Wolf", "der", "3", "Tiere"},
    {"Fuchs", "der", "3", "Tiere"},
    {"Hase", "der", "2", "TiereHaustiere"},
    {"Igel", "der", "3", "Tiere", Tile},
    {"Eichhörnchen", "das", "4", "Tiere"},
    {"Frosch", "der", "3", "Tiere"},
    {"Schlange", "die", "3", "Tiere"},
    {"Schmetterling", "der", "3", "TiereNatur"},
    {"Biene", "die", "3", "TiereNatur"},
    {"Ameise", "die", "4", "Tiere"},
    {"Spinne", "die", "4", "Tiere"},
    {"Eule", "die", "4", "Tiere", Tile},
    {"Storch", "der", "5", "Tiere"},
    {"Wal", "der", "4", "Tiere"},
    {"Krokodil", "das", "5", "Tiere"},
    {"Kaninchen", "das", "3", "TiereHaustiere"},
    {"Hamster", "der", "3", "TiereHaustiere"},
    {"Meerschweinchen", "das", "4", "TiereHaustiere"},
    {"Wellensittich", "der", "5", "TiereHaustiere"},
    {"Schnecke", "die", "4", "Tiere"},
    {"Käfer", "der", "4", "Tiere"},
    // Essen, Obst, Gemüse
    {"Brot", "das", "1", "Essen", Tile},
    {"Butter", "die", "2", "Essen"},
    {"Käse", "der", "2", "Essen", Tile},
    {"Milch", "die", "1", "Essen", Tile},
    {"Ei", "das", "2", "Essen"},
    {"Wurst", "die", "2", "Essen"},
    {"Suppe", "die", "2", "Essen"},
    {"Nudel", "die", "3", "Essen"},
    {"Reis", "der", "3", "Essen"},
    {"Kuchen", "der", "2", "Essen", Tile},
    {"Keks", "der", "3", "Essen"},
    {"Schokolade", "die", "2", "Essen"},
    {"Honig", "der", "3", "Essen"},
    {"Marmelade", "die", "4", "Essen"},
    {"Zucker", "der", "3", "Essen"},
    {"Salz", "das", "3", "Essen"},
    {"Öl", "das", "4", "Essen"},
    {"Saft", "der", "2", "Essen"},
    {"Wasser", "das", "1", "EssenNatur", Drop},
    {"Tee", "der", "3", "Essen"},
    {"Pizza", "die", "2", "Essen"},
    {"Müsli", "das", "4", "Essen"},
    {"Brezel", "die", "4", "Essen"},
    {"Brötchen", "das", "3", "Essen"},
    {"Eis", "das", "2", "EssenWetter", Tile},
    {"Frühstück", "das", "2", "EssenFamilie"},
    {"Apfel", "der", "1", "EssenObst", Apple},
    {"Birne", "die", "2", "EssenObst", Tile},
    {"Banane", "die", "2", "EssenObst", Tile},
    {"Kirsche", "die", "3", "EssenObst"},
    {"Erdbeere", "die", "3", "EssenObst", Tile},
    {"Pflaume", "die", "4", "EssenObst"},
    {"Traube", "die", "3", "EssenObst"},
    {"Orange", "die", "3", "EssenObst"},
    {"Zitrone", "die", "3", "EssenObst", Tile},
    {"Melone", "die", "4", "EssenObst"},
    {"Ananas", "die", "5", "EssenObst"},
    {"Karotte", "die", "2", "EssenGemüse", Tile},
    {"Kartoffel", "die", "1", "EssenGemüse"},
    {"Salat", "der", "2", "EssenGemüse"},
    {"Paprika", "die", "4", "EssenGemüse"},
    {"Zwiebel", "die", "3", "EssenGemüse"},
    {"Erbse", "die", "4", "EssenGemüse"},
    {"Bohne", "die", "4", "EssenGemüse"},
    {"Kohl", "der", "5", "EssenGemüse"},
    {"Kürbis", "der", "4", "EssenGemüse", Tile},
    {"Mais", "der", "4", "EssenGemüse"},
    // Haus
    {"Haus", "das", "1", "Haus", House},
    {"Tür", "die", "1", "Haus"},
    {"Fenster", "das", "1", "Haus", Tile},
    {"Dach", "das", "2", "Haus"},
    {"Wand", "die", "2", "Haus"},
    {"Treppe", "die", "3", "Haus"},
    {"Zimmer", "das", "1", "Haus"},
    {"Küche", "die", "2", "Haus"},
    {"Keller", "der", "3", "Haus"},
    {"Garten", "der", "2", "HausNatur"},
    {"Tisch", "der", "1", "Haus", Tile},
    {"Stuhl", "der", "1", "Haus", Tile},
    {"Bett", "das", "1", "Haus"},
    {"Schrank", "der", "2", "Haus"},
    {"Lampe", "die", "2", "Haus", Tile},
    {"Sofa", "das", "3", "Haus"},
    {"Spiegel", "der", "3", "Haus"},
    {"Uhr", "die", "2", "Haus", Tile},
    {"Schlüssel", "der", "2", "Haus", Tile, true},
    {"Kühlschrank", "der", "3", "Haus"},
    {"Teller", "der", "2", "Haus"},
    {"Tasse", "die", "2", "Haus"},
    {"Gabel", "die", "3", "Haus"},
    {"Löffel", "der", "3", "Haus"},
    {"Messer", "das", "3", "Haus"},
    {"Kissen", "das", "4", "Haus"},
    {"Badewanne", "die", "4", "Haus"},
    {"Seife", "die", "4", "Haus"},
    // Schule
    {"Schule", "die", "1", "Schule", Tile},
    {"Buch", "das", "1", "Schule", Tile},
    {"Heft", "das", "2", "Schule"},
    {"Bleistift", "der", "2", "Schule", Tile},
    {"Radiergummi", "der", "3", "Schule"},
    {"Lineal", "das", "3", "Schule"},
    {"Schere", "die", "3", "Schule"},
    {"Tafel", "die", "2", "Schule"},
    {"Kreide", "die", "4", "Schule"},
    {"Schulranzen", "der", "3", "Schule"},
    {"Klasse", "die", "2", "Schule"},
    {"Pause", "die", "2", "Schule"},
    {"Hausaufgabe", "die", "3", "Schule", None, true},
    {"Übung", "die", "3", "Schule", Tile},
    {"Zeugnis", "das", "4", "Schule"},
    {"Ferien", "die", "2", "SchuleFamilie"},
    {"Diktat", "das", "4", "Schule", None, true},
    {"Pinsel", "der", "4", "SchuleFarben"},
    // Natur, Wetter
    {"Baum", "der", "1", "Natur", Tree},
    {"Blume", "die", "1", "Natur", Flower},
    {"Blatt", "das", "2", "Natur"},
    {"Gras", "das", "3", "Natur"},
    {"Wald", "der", "2", "Natur"},
    {"Wiese", "die", "3", "Natur"},
    {"Berg", "der", "2", "Natur", Tile},
    {"Fluss", "der", "2", "Natur"},
    {"See", "der", "3", "Natur"},
    {"Meer", "das", "2", "Natur", Tile},
    {"Strand", "der", "3", "Natur"},
    {"Stein", "der", "3", "Natur"},
    {"Insel", "die", "4", "Natur"},
    {"Himmel", "der", "2", "NaturWetter"},
    {"Sonne", "die", "1", "NaturWetter", Sun},
    {"Mond", "der", "2", "Natur", Moon},
    {"Stern", "der", "2", "Natur", Star},
    {"Erde", "die", "3", "Natur"},
    {"Feuer", "das", "3", "Natur", Tile},
    {"Pilz", "der", "4", "NaturEssen"},
    {"Rose", "die", "4", "Natur"},
    {"Ähre", "die", "5", "Natur"},
    {"Regen", "der", "1", "Wetter", Drop},
    {"Schnee", "der", "2", "Wetter", Tile},
    {"Wind", "der", "2", "Wetter"},
    {"Wolke", "die", "2", "Wetter", Cloud},
    {"Sturm", "der", "3", "Wetter"},
    {"Gewitter", "das", "3", "Wetter"},
    {"Blitz", "der", "3", "Wetter", Tile},
    {"Nebel", "der", "4", "Wetter"},
    {"Regenbogen", "der", "4", "WetterFarben", Tile},
    {"Sommer", "der", "2", "Wetter"},
    {"Winter", "der", "2", "Wetter"},
    {"Frühling", "der", "3", "WetterNatur"},
    {"Herbst", "der", "3", "WetterNatur"},
    // Körper
    {"Kopf", "der", "1", "Körper", Tile},
    {"Haar", "das", "2", "Körper"},
    {"Auge", "das", "1", "Körper", Tile},
    {"Ohr", "das", "2", "Körper"},
    {"Nase", "die", "2", "Körper", Tile},
    {"Mund", "der", "2", "Körper"},
    {"Zahn", "der", "2", "Körper"},
    {"Hals", "der", "3", "Körper"},
    {"Arm", "der", "2", "Körper"},
    {"Hand", "die", "1", "Körper", Tile},
    {"Finger", "der", "2", "Körper"},
    {"Bauch", "der", "2", "Körper"},
    {"Rücken", "der", "3", "Körper"},
    {"Bein", "das", "2", "Körper"},
    {"Knie", "das", "3", "Körper"},
    {"Fuß", "der", "1", "Körper", Tile},
    {"Herz", "das", "2", "Körper", Heart},
    {"Gesicht", "das", "2", "Körper"},
    {"Daumen", "der", "4", "Körper"},
    {"Ellbogen", "der", "5", "Körper"},
    // Kleidung
    {"Hose", "die", "1", "Kleidung", Tile},
    {"Hemd", "das", "2", "Kleidung"},
    {"Rock", "der", "3", "Kleidung"},
    {"Kleid", "das", "2", "Kleidung"},
    {"Jacke", "die", "2", "Kleidung", Tile},
    {"Mantel", "der", "3", "Kleidung"},
    {"Pullover", "der", "2", "Kleidung"},
    {"Mütze", "die", "2", "KleidungWetter", Tile},
    {"Hut", "der", "3", "Kleidung"},
    {"Schal", "der", "3", "KleidungWetter"},
    {"Handschuh", "der", "3", "KleidungWetter"},
    {"Schuh", "der", "1", "Kleidung", Tile},
    {"Stiefel", "der", "3", "Kleidung"},
    {"Socke", "die", "3", "Kleidung"},
    {"Gürtel", "der", "4", "Kleidung"},
    {"Schlafanzug", "der", "4", "Kleidung", None, true},
    // Verkehr
    {"Auto", "das", "1", "Verkehr", Tile},
    {"Bus", "der", "1", "Verkehr", Tile},
    {"Zug", "der", "1", "Verkehr", Tile},
    {"Fahrrad", "das", "1", "Verkehr"},
    {"Straße", "die", "1", "Verkehr", Tile},
    {"Ampel", "die", "2", "Verkehr"},
    {"Flugzeug", "das", "2", "Verkehr", Tile},
    {"Schiff", "das", "2", "Verkehr"},
    {"Boot", "das", "3", "Verkehr"},
    {"Lastwagen", "der", "3", "Verkehr"},
    {"Straßenbahn", "die", "3", "Verkehr"},
    {"U-Bahn", "die", "3", "Verkehr"},
    {"Bahnhof", "der", "2", "Verkehr"},
    {"Haltestelle", "die", "3", "Verkehr"},
    {"Brücke", "die", "3", "VerkehrNatur"},
    {"Fahrkarte", "die", "4", "Verkehr"},
    {"Ku'damm", "der", "5", "Verkehr", None, true},
    // Berufe
    {"Arzt", "der", "2", "Berufe", Tile},
    {"Ärztin", "die", "2", "Berufe"},
    {"Bäcker", "der", "3", "BerufeEssen"},
    {"Bauer", "der", "3", "Berufe"},
    {"Koch", "der", "3", "BerufeEssen"},
    {"Polizist", "der", "2", "BerufeVerkehr"},
    {"Feuerwehrmann", "der", "3", "Berufe"},
    {"Lehrer", "der", "1", "BerufeSchule", Tile},
    {"Lehrerin", "die", "1", "BerufeSchule"},
    {"Verkäufer", "der", "3", "Berufe"},
    {"Friseur", "der", "4", "Berufe"},
    {"Maler", "der", "4", "BerufeFarben"},
    {"Pilot", "der", "4", "BerufeVerkehr"},
    {"Gärtner", "der", "4", "BerufeNatur"},
    {"Briefträger", "der", "4", "Berufe"},
    // Familie
    {"Mutter", "die", "1", "Familie", Tile},
    {"Vater", "der", "1", "Familie", Tile},
    {"Eltern", "die", "2", "Familie"},
    {"Kind", "das", "1", "Familie"},
    {"Baby", "das", "2", "Familie"},
    {"Bruder", "der", "1", "Familie"},
    {"Schwester", "die", "1", "Familie"},
    {"Oma", "die", "1", "Familie", Tile},
    {"Opa", "der", "1", "Familie", Tile},
    {"Tante", "die", "3", "Familie"},
    {"Onkel", "der", "3", "Familie"},
    {"Sohn", "der", "3", "Familie"},
    {"Tochter", "die", "3", "Familie"},
    {"Familie", "die", "1", "Familie", Heart},
    // Farben, Zahlen
    {"Farbe", "die", "2", "Farben", Tile},
    {"Rot", "das", "3", "Farben"},
    {"Blau", "das", "3", "Farben"},
    {"Grün", "das", "3", "FarbenNatur"},
    {"Gelb", "das", "3", "Farben"},
    {"Schwarz", "das", "4", "Farben"},
    {"Weiß", "das", "4", "FarbenWetter"},
    {"Braun", "das", "4", "Farben"},
    {"Lila", "das", "5", "Farben"},
    {"Zahl", "die", "2", "ZahlenSchule", Tile},
    {"Null", "die", "3", "Zahlen"},
    {"Eins", "die", "2", "Zahlen"},
    {"Zwei", "die", "2", "Zahlen"},
    {"Drei", "die", "2", "Zahlen"},
    {"Vier", "die", "3", "Zahlen"},
    {"Fünf", "die", "3", "Zahlen"},
    {"Zehn", "die", "3", "Zahlen"},
    {"Hundert", "das", "4", "Zahlen"},
    {"Hälfte", "die", "4", "Zahlen"},
    // Other words
    {"hallo", nullptr, "1", nullptr},
    {"danke", nullptr, "1", nullptr},
    {"bitte", nullptr, "1", nullptr},
    {"ja", nullptr, "1", nullptr},
    {"nein", nullptr, "1", nullptr},
    {"heute", nullptr, "2", nullptr},
    {"gestern", nullptr, "3", nullptr},
    {"groß", nullptr, "2", nullptr},
    {"klein", nullptr, "2", nullptr},
});
// clang-format on

} // namespace

namespace DemoData {

QStringList themes()
{
    return {"Tiere",   "Essen",  "Haus",    "Schule", "Natur",  "Wetter",    "Körper", "Kleidung",
            "Verkehr", "Berufe", "Familie", "Farben", "Zahlen", "Haustiere", "Obst",   "Gemüse"};
}

std::span<const DemoWord> words()
{
    return Words;
}

QHash<QString, QString> plurals()
{
    // "word plural", '|'-separated.
    const QString table = QStringLiteral(
        "Hund Hunde|Katze Katzen|Maus Mäuse|Pferd Pferde|Kuh Kühe|Schwein Schweine|"
        "Schaf Schafe|Ziege Ziegen|Huhn Hühner|Ente Enten|Gans Gänse|Vogel Vögel|"
        "Fisch Fische|Bär Bären|Löwe Löwen|Tiger Tiger|Elefant Elefanten|Affe Affen|"
        "Wolf Wölfe|Fuchs Füchse|Hase Hasen|Igel Igel|Eichhörnchen Eichhörnchen|"
        "Frosch Frösche|Schlange Schlangen|Schmetterling Schmetterlinge|Biene Bienen|"
        "Ameise Ameisen|Spinne Spinnen|Eule Eulen|Storch Störche|Wal Wale|"
        "Krokodil Krokodile|Kaninchen Kaninchen|Hamster Hamster|"
        "Meerschweinchen Meerschweinchen|Wellensittich Wellensittiche|Schnecke Schnecken|"
        "Käfer Käfer|Brot Brote|Käse Käse|Ei Eier|Wurst Würste|Suppe Suppen|Nudel Nudeln|"
        "Kuchen Kuchen|Keks Kekse|Schokolade Schokoladen|Marmelade Marmeladen|Saft Säfte|"
        "Tee Tees|Pizza Pizzas|Brezel Brezeln|Brötchen Brötchen|Frühstück Frühstücke|"
        "Apfel Äpfel|Birne Birnen|Banane Bananen|Kirsche Kirschen|Erdbeere Erdbeeren|"
        "Pflaume Pflaumen|Traube Trauben|Orange Orangen|Zitrone Zitronen|Melone Melonen|"
        "Ananas Ananas|Karotte Karotten|Kartoffel Kartoffeln|Salat Salate|"
        "Paprika Paprikas|Zwiebel Zwiebeln|Erbse Erbsen|Bohne Bohnen|Kohl Kohle|"
        "Kürbis Kürbisse|Haus Häuser|Tür Türen|Fenster Fenster|Dach Dächer|Wand Wände|"
        "Treppe Treppen|Zimmer Zimmer|Küche Küchen|Keller Keller|Garten Gärten|"
        "Tisch Tische|Stuhl Stühle|Bett Betten|Schrank Schränke|Lampe Lampen|Sofa Sofas|"
        "Spiegel Spiegel|Uhr Uhren|Schlüssel Schlüssel|Kühlschrank Kühlschränke|"
        "Teller Teller|Tasse Tassen|Gabel Gabeln|Löffel Löffel|Messer Messer|"
        "Kissen Kissen|Badewanne Badewannen|Seife Seifen|Schule Schulen|Buch Bücher|"
        "Heft Hefte|Bleistift Bleistifte|Radiergummi Radiergummis|Lineal Lineale|"
        "Schere Scheren|Tafel Tafeln|Kreide Kreiden|Schulranzen Schulranzen|"
        "Klasse Klassen|Pause Pausen|Hausaufgabe Hausaufgaben|Übung Übungen|"
        "Zeugnis Zeugnisse|Diktat Diktate|Pinsel Pinsel|Baum Bäume|Blume Blumen|"
        "Blatt Blätter|Gras Gräser|Wald Wälder|Wiese Wiesen|Berg Berge|Fluss Flüsse|"
        "See Seen|Meer Meere|Strand Strände|Stein Steine|Insel Inseln|Himmel Himmel|"
        "Sonne Sonnen|Mond Monde|Stern Sterne|Feuer Feuer|Pilz Pilze|Rose Rosen|"
        "Ähre Ähren|Wind Winde|Wolke Wolken|Sturm Stürme|Gewitter Gewitter|Blitz Blitze|"
        "Nebel Nebel|Regenbogen Regenbögen|Sommer Sommer|Winter Winter|"
        "Frühling Frühlinge|Herbst Herbste|Kopf Köpfe|Haar Haare|Auge Augen|Ohr Ohren|"
        "Nase Nasen|Mund Münder|Zahn Zähne|Hals Hälse|Arm Arme|Hand Hände|Finger Finger|"
        "Bauch Bäuche|Rücken Rücken|Bein Beine|Knie Knie|Fuß Füße|Herz Herzen|"
        "Gesicht Gesichter|Daumen Daumen|Ellbogen Ellbogen|Hose Hosen|Hemd Hemden|"
        "Rock Röcke|Kleid Kleider|Jacke Jacken|Mantel Mäntel|Pullover Pullover|"
        "Mütze Mützen|Hut Hüte|Schal Schals|Handschuh Handschuhe|Schuh Schuhe|"
        "Stiefel Stiefel|Socke Socken|Gürtel Gürtel|Schlafanzug Schlafanzüge|Auto Autos|"
        "Bus Busse|Zug Züge|Fahrrad Fahrräder|Straße Straßen|Ampel Ampeln|"
        "Flugzeug Flugzeuge|Schiff Schiffe|Boot Boote|Lastwagen Lastwagen|"
        "Straßenbahn Straßenbahnen|U-Bahn U-Bahnen|Bahnhof Bahnhöfe|"
        "Haltestelle Haltestellen|Brücke Brücken|Fahrkarte Fahrkarten|Arzt Ärzte|"
        "Ärztin Ärztinnen|Bäcker Bäcker|Bauer Bauern|Koch Köche|Polizist Polizisten|"
        "Feuerwehrmann Feuerwehrmänner|Lehrer Lehrer|Lehrerin Lehrerinnen|"
        "Verkäufer Verkäufer|Friseur Friseure|Maler Maler|Pilot Piloten|Gärtner Gärtner|"
        "Briefträger Briefträger|Mutter Mütter|Vater Väter|Kind Kinder|Baby Babys|"
        "Bruder Brüder|Schwester Schwestern|Oma Omas|Opa Opas|Tante Tanten|Onkel Onkel|"
        "Sohn Söhne|Tochter Töchter|Familie Familien|Farbe Farben|Zahl Zahlen|"
        "Null Nullen|Eins Einsen|Zwei Zweien|Drei Dreien|Vier Vieren|Fünf Fünfen|"
        "Zehn Zehnen|Hundert Hunderte|Hälfte Hälften");
    QHash<QString, QString> plurals;
    for (const QString& pair : table.split(u'|')) {
        plurals.insert(pair.section(u' ', 0, 0), pair.section(u' ', 1));
    }
    return plurals;
}

QByteArray importFile()
{
    // Some words are new, some already in the dictionary; one item is quoted.
    const QString text = "Giraffe, Zebra, Hund\r\n"
                         "Schildkröte,\"Rote Bete\",Apfel\r\n"
                         "Pinguin, Kamel\r\n"
                         "Käse, Gurke, Tomate\r\n"
                         "Schnee\r\n";
    QStringEncoder encoder("windows-1252");
    return encoder.encode(text);
}

} // namespace DemoData
