#pragma once
// What the program's windows share with the main window, which owns them:
// the program folder, the rider store and the language service.
#include <string>

class MultiLanguage;
class TKorvanDataBase;

struct TWindowServices {
    std::string AppFolder; // UTF-8, no trailing '/'
    TKorvanDataBase *DataBase = nullptr;
    MultiLanguage *MultiLang = nullptr;
};
