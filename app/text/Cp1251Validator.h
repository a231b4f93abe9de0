// Lets an edit hold only characters that the Windows-1251 code page can carry.
#pragma once

#include <QValidator>

class Cp1251Validator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;
};
