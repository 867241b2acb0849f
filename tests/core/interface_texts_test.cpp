#include "core/interface_texts.h"

#include <gtest/gtest.h>

namespace ormind {
namespace {

TEST(InterfaceTexts, RussianOnlyFor1049) {
  const struct {
    int32_t lang;
    const char* today;
    const char* close;
  } cases[] = {{1049, "Сегодня, ", "Закрыть"},
               {1033, "Today, ", "Close"},
               {2072, "Today, ", "Close"},  // Russian (Moldova) is still English
               {0, "Today, ", "Close"}};
  for (const auto& c : cases) {
    const InterfaceTexts texts(c.lang);
    EXPECT_EQ(texts[TextId::Today], c.today);
    EXPECT_EQ(texts[TextId::Close], c.close);
  }
}

TEST(InterfaceTexts, EveryTextIsPresentInBothLanguages) {
  const InterfaceTexts ru(1049), en(1033);
  for (int i = 0; i < static_cast<int>(TextId::Count_); ++i) {
    const auto id = static_cast<TextId>(i);
    EXPECT_FALSE(ru[id].empty()) << i;
    EXPECT_FALSE(en[id].empty()) << i;
    EXPECT_NE(ru[id], en[id]) << i;
  }
}

TEST(InterfaceTexts, MessagesNameTheActualEventFile) {
  const std::string path = "C:\\Users\\A\\AppData\\Roaming\\Ormind\\list.txt";
  const InterfaceTexts en(1033), ru(1049);
  EXPECT_EQ(en.DataError(path), "Error loading data. Check the contents of the file " + path);
  EXPECT_EQ(en.DataFileMissing(path), "Error loading data. File " + path + " not found");
  EXPECT_EQ(en.EventsFileMissing(path), "File " + path + " not found");
  EXPECT_EQ(ru.DataError(path), "Ошибка загрузки данных. Проверьте содержимое файла " + path);
  EXPECT_EQ(ru.DataFileMissing(path), "Ошибка загрузки данных. Файл " + path + " не найден");
  EXPECT_EQ(ru.EventsFileMissing(path), "Файл " + path + " не найден");
  EXPECT_EQ(en.DataError("100%s.txt"), "Error loading data. Check the contents of the file 100%s.txt");
}

}  // namespace
}  // namespace ormind
