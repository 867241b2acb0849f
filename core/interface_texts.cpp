#include "core/interface_texts.h"

namespace ormind {
namespace {

struct TextRow {
  TextId id;
  const char* russian;
  const char* english;
};

// "%s" in a message stands for the full path of the event list file.
constexpr TextRow kTexts[] = {
    {TextId::PrevDate, "Предыдущая дата", "Previous date"},
    {TextId::NextDate, "Следующая дата", "Next date"},
    {TextId::EditEvents, "Редактировать список событий", "Edit list of events"},
    {TextId::PrintGreeting, "Напечатать поздравление", "Print congratulation"},
    {TextId::ChangeSettings, "Поменять настройки", "Change settings"},
    {TextId::MinimizeToIcon, "Свернуть в значок", "Minimize to icon"},
    {TextId::Close, "Закрыть", "Close"},
    {TextId::Today, "Сегодня, ", "Today, "},
    {TextId::IsTheBirthday, "День рождения празднуют: ", "Is the birthday: "},
    {TextId::NoBirthdays, "Дней рождения нет.", "No birthdays."},
    {TextId::OtherEvents, "Прочие события: ", "Other events: "},
    {TextId::NoEvents, "Памятных событий нет.", "No events."},
    {TextId::NameDay, "Именины: ", "Name-day: "},
    {TextId::Show, "Показать", "Show"},
    {TextId::Minimize, "Свернуть", "Minimize"},
    {TextId::DataError, "Ошибка загрузки данных. Проверьте содержимое файла %s",
     "Error loading data. Check the contents of the file %s"},
    {TextId::DataFileMissing, "Ошибка загрузки данных. Файл %s не найден",
     "Error loading data. File %s not found"},
    {TextId::EventsFileMissing, "Файл %s не найден", "File %s not found"},
    {TextId::ConfigError, "Ошибка загрузки файла конфигурации", "Error loading configuration data"},
    {TextId::Salutation, "Обращение", "Superscription"},
    {TextId::GreetingText, "Текст поздравления", "Greeting text"},
    {TextId::Signature, "Подпись", "Subscription"},
    {TextId::CannotOpenFile, "Не удалось открыть файл %s", "Cannot open file %s"},
    {TextId::BirthdaysTodayOne, "Ormind — сегодня %d день рождения", "Ormind — %d birthday today"},
    {TextId::BirthdaysTodayFew, "Ormind — сегодня %d дня рождения", "Ormind — %d birthdays today"},
    {TextId::BirthdaysTodayMany, "Ormind — сегодня %d дней рождения",
     "Ormind — %d birthdays today"},
    {TextId::MoreEntries, "… и ещё %d", "… and %d more"},
};
static_assert(std::size(kTexts) == static_cast<size_t>(TextId::Count_));

std::string WithPath(const std::string& text, const std::string& path) {
  std::string result = text;
  if (const size_t at = result.find("%s"); at != std::string::npos) result.replace(at, 2, path);
  return result;
}

std::string WithCount(const std::string& text, int count) {
  std::string result = text;
  if (const size_t at = result.find("%d"); at != std::string::npos)
    result.replace(at, 2, std::to_string(count));
  return result;
}

// Russian takes one form after 1, 21, 31 ... (not 11), another after 2-4, 22-24 ... (not
// 12-14), a third after the rest; English only tells 1 from the rest.
TextId BirthdaysTodayForm(int count, bool russian) {
  const int lastTwo = count % 100, last = count % 10;
  if (!russian) return count == 1 ? TextId::BirthdaysTodayOne : TextId::BirthdaysTodayMany;
  if (last == 1 && lastTwo != 11) return TextId::BirthdaysTodayOne;
  if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14)) return TextId::BirthdaysTodayFew;
  return TextId::BirthdaysTodayMany;
}

}  // namespace

InterfaceTexts::InterfaceTexts(int32_t lang) : russian_(lang == kRussianLocale) {
  for (const TextRow& row : kTexts)
    texts_[static_cast<size_t>(row.id)] = russian_ ? row.russian : row.english;
}

const std::string& InterfaceTexts::operator[](TextId id) const {
  return texts_.at(static_cast<size_t>(id));
}

std::string InterfaceTexts::DataError(const std::string& eventsPath) const {
  return WithPath((*this)[TextId::DataError], eventsPath);
}
std::string InterfaceTexts::DataFileMissing(const std::string& eventsPath) const {
  return WithPath((*this)[TextId::DataFileMissing], eventsPath);
}
std::string InterfaceTexts::EventsFileMissing(const std::string& eventsPath) const {
  return WithPath((*this)[TextId::EventsFileMissing], eventsPath);
}
std::string InterfaceTexts::CannotOpenFile(const std::string& path) const {
  return WithPath((*this)[TextId::CannotOpenFile], path);
}
std::string InterfaceTexts::BirthdaysToday(int count) const {
  return WithCount((*this)[BirthdaysTodayForm(count, russian_)], count);
}
std::string InterfaceTexts::MoreEntries(int count) const {
  return WithCount((*this)[TextId::MoreEntries], count);
}

}  // namespace ormind
