#include "runtime/status.h"

namespace plenvor {

QString describeStatus(Status s)
{
    switch (s) {
    case status::kUnexpected:
        return QStringLiteral("Непредвиденная ошибка.");
    case status::kFail:
        return QStringLiteral("Неопределённая ошибка.");
    case status::kInvalidArg:
        return QStringLiteral("Неверный аргумент.");
    case status::kInvalidHandle:
        return QStringLiteral("Неверный дескриптор окна.");
    case status::kOutOfMemory:
        return QStringLiteral("Недостаточно памяти.");
    case status::kFileNotFound:
        return QStringLiteral("Файл не найден.");
    case status::kAccessDenied:
        return QStringLiteral("Доступ запрещён.");
    case status::kResourceNotFound:
        return QStringLiteral("Ресурс не найден.");
    case status::kTypeMismatch:
        return QStringLiteral("Несоответствие типов.");
    case status::kOverflow:
        return QStringLiteral("Переполнение.");
    case status::kParamNotFound:
        return QStringLiteral("Параметр не найден.");
    case status::kCannotCreateObject:
        return QStringLiteral("Не удаётся создать объект.");
    case status::kNoSuchElement:
        return QStringLiteral("Элемент массива элементов управления не существует.");
    case status::kAlreadyLoaded:
        return QStringLiteral("Объект уже загружен.");
    case status::kCannotUnloadLayoutControl:
        return QStringLiteral("Нельзя выгрузить элемент, созданный вместе с окном.");
    default:
        return QStringLiteral("Ошибка приложения.");
    }
}

} // namespace plenvor
