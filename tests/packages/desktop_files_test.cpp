// The desktop entry and the AppStream metainfo against the window they launch and describe:
// the entry in the words of its caption and title, the metainfo by the program's name, the same
// web address, one id for all of them and for the developer at that address.

#include "app/form.h"

#include <QFile>
#include <QStringList>
#include <QXmlStreamReader>
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace talvex {
namespace {

using Entries = std::map<std::string, std::string>;

Entries readDesktopEntry() {
    std::ifstream file(TALVEX_DESKTOP_ENTRY);
    EXPECT_TRUE(file.is_open()) << TALVEX_DESKTOP_ENTRY;
    Entries entries;
    std::string line;
    while (std::getline(file, line)) {
        const auto equals = line.find('=');
        if (equals != std::string::npos) {
            entries[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return entries;
}

// The texts of the elements named, by name and, where there is one, type attribute:
// "url/homepage", "launchable/desktop-id"; for "release", its version; for "developer", its id,
// and its name as "developer/name".
Entries readMetainfo() {
    QFile file(QStringLiteral(TALVEX_METAINFO));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << TALVEX_METAINFO;
    QXmlStreamReader xml(&file);
    Entries entries;
    while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
        if (!xml.isStartElement()) {
            continue;
        }
        const QString type = xml.attributes().value(QStringLiteral("type")).toString();
        const std::string key =
            xml.name().toString().toStdString() + (type.isEmpty() ? "" : "/" + type.toStdString());
        if (key == "release") {
            entries[key] =
                xml.attributes().value(QStringLiteral("version")).toString().toStdString();
        } else if (key == "developer") {
            entries[key] = xml.attributes().value(QStringLiteral("id")).toString().toStdString();
            while (xml.readNextStartElement()) {
                entries[key + "/" + xml.name().toString().toStdString()] =
                    xml.readElementText().toStdString();
            }
        } else if (key == "id" || key == "name" || key == "binary" || key == "url/homepage" ||
                   key == "launchable/desktop-id") {
            entries[key] = xml.readElementText().toStdString();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return entries;
}

// The caption is the program's web address, two blanks, then its name in words.
std::string captionAddress() {
    const std::string_view caption = form::talvex().caption;
    return std::string(caption.substr(0, caption.find("  ")));
}

std::string captionWords() {
    const std::string_view caption = form::talvex().caption;
    return std::string(caption.substr(caption.find("  ") + 2));
}

std::string title() {
    return std::string(form::find(form::talvex(), form::kLabel1, 0)->text);
}

TEST(DesktopEntry, NamesTheProgramWithItsCaptionAndTitle) {
    Entries entry = readDesktopEntry();
    EXPECT_EQ(entry["Type"], "Application");
    EXPECT_EQ(entry["Name"], captionWords());
    EXPECT_EQ(entry["Comment"], title());
    EXPECT_EQ(entry["Exec"], TALVEX_PROGRAM);
    EXPECT_EQ(entry["Icon"], TALVEX_APP_ID);
    EXPECT_EQ(entry["Categories"], "Utility;");
    // The window's class on X is the application's name, which is the window's name; launchers
    // match the two to put the running window under the entry's icon.
    EXPECT_EQ(entry["StartupWMClass"], form::talvex().name);
}

TEST(DesktopEntry, FindsItsKeywordsInTheWindowsOwnTexts) {
    const std::string keywords = readDesktopEntry()["Keywords"];
    ASSERT_FALSE(keywords.empty());
    EXPECT_EQ(keywords.back(), ';');
    const QString texts = QString::fromStdString(std::string(form::talvex().name) + " " +
                                                 captionWords() + " " + title());
    for (const QString& word : QString::fromStdString(keywords).split(';', Qt::SkipEmptyParts)) {
        EXPECT_TRUE(texts.contains(word, Qt::CaseInsensitive)) << word.toStdString();
    }
}

TEST(Metainfo, DescribesTheProgramTheDesktopEntryLaunches) {
    Entries metainfo = readMetainfo();
    EXPECT_EQ(metainfo["id"], TALVEX_APP_ID);
    EXPECT_EQ(metainfo["launchable/desktop-id"], std::string(TALVEX_APP_ID) + ".desktop");
    // A software centre lists the program by its name; the caption, which the entry's Name
    // holds, is too long for that.
    EXPECT_EQ(metainfo["name"], form::talvex().name);
    EXPECT_EQ(metainfo["binary"], TALVEX_PROGRAM);
    EXPECT_EQ(metainfo["url/homepage"], captionAddress());
    EXPECT_EQ(metainfo["release"], TALVEX_VERSION);
}

// The program's and its developer's: both are at the caption's web address.
TEST(Metainfo, TheIdsAreTheCaptionsWebAddressReversed) {
    const std::string address = captionAddress();
    QStringList labels = QString::fromStdString(address.substr(address.find("://") + 3)).split('.');
    std::ranges::reverse(labels);
    EXPECT_EQ(labels.join('.').toStdString(), TALVEX_APP_ID);
    Entries metainfo = readMetainfo();
    EXPECT_EQ(metainfo["developer"], TALVEX_APP_ID);
    EXPECT_FALSE(metainfo["developer/name"].empty());
}

} // namespace
} // namespace talvex
