// Bodies and registration of the decimal functions: arguments decoded to Decimal, results encoded
// back to sortable blobs.
#include "platform/sqlite/decimal_functions.h"

#include <cstring>
#include <string>

namespace cb::sqlite {
namespace {

constexpr int kNativeOverflow = 8115;
constexpr int kNativeNotNumeric = 8114;
constexpr int kNativeDivideByZero = 8134;

FunctionFault* FaultOf(sqlite3_context* context) {
  return static_cast<FunctionFault*>(sqlite3_user_data(context));
}

void Raise(sqlite3_context* context, db::DbErrorKind kind, int native, const std::string& text) {
  if (FunctionFault* fault = FaultOf(context)) *fault = FunctionFault{true, kind, native};
  sqlite3_result_error(context, text.c_str(), -1);
}

void RaiseOverflow(sqlite3_context* context, const char* from) {
  Raise(context, db::DbErrorKind::kConversion, kNativeOverflow,
        std::string("Arithmetic overflow error converting ") + from + " to data type numeric.");
}

const char* TypeName(sqlite3_value* value) {
  switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
      return "int";
    case SQLITE_FLOAT:
      return "float";
    case SQLITE_TEXT:
      return "varchar";
    default:
      return "numeric";
  }
}

void Result(sqlite3_context* context, const std::optional<Decimal>& value, const char* from) {
  if (!value) {
    RaiseOverflow(context, from);
    return;
  }
  auto bytes = value->Encode();
  sqlite3_result_blob(context, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
}

// The argument as a decimal. False when the function has answered already: NULL, or an error for
// text that is not a number.
bool Argument(sqlite3_context* context, sqlite3_value* value, Decimal* out) {
  if (sqlite3_value_type(value) == SQLITE_NULL) {
    sqlite3_result_null(context);
    return false;
  }
  std::optional<Decimal> decimal = ValueAsDecimal(value);
  if (!decimal) {
    if (sqlite3_value_type(value) == SQLITE_FLOAT) {
      RaiseOverflow(context, "float");
    } else {
      Raise(context, db::DbErrorKind::kConversion, kNativeNotNumeric,
            "Error converting data type varchar to numeric.");
    }
    return false;
  }
  *out = *decimal;
  return true;
}

void DecFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
  Decimal value;
  if (!Argument(context, argv[0], &value)) return;
  if (argc == 1) {
    Result(context, value, "numeric");
    return;
  }
  int precision = sqlite3_value_int(argv[1]);
  int scale = sqlite3_value_int(argv[2]);
  std::optional<Decimal> rounded = value.Rounded(scale);
  if (rounded && !rounded->FitsIntegerDigits(precision, scale)) rounded.reset();
  Result(context, rounded, TypeName(argv[0]));
}

// The result of an operation, and when the call names a column type by two more arguments from
// `first` on (p, s), that value as written to the column: rounded to s, 8115 beyond p - s digits.
void Written(sqlite3_context* context, std::optional<Decimal> value, int argc, sqlite3_value** argv,
             int first) {
  if (value && argc >= first + 2) {
    int scale = sqlite3_value_int(argv[first + 1]);
    value = value->Rounded(scale);
    if (value && !value->FitsIntegerDigits(sqlite3_value_int(argv[first]), scale)) value.reset();
    Result(context, value, "numeric");
    return;
  }
  Result(context, value, "expression");
}

template <std::optional<Decimal> (*kOperation)(Decimal, Decimal)>
void AddLike(sqlite3_context* context, int argc, sqlite3_value** argv) {
  Decimal a, b;
  if (!Argument(context, argv[0], &a) || !Argument(context, argv[1], &b)) return;
  Written(context, kOperation(a, b), argc, argv, 2);
}

// The column's scale of a product or quotient that is written at once; -1 when none.
int WrittenScale(int argc, sqlite3_value** argv) {
  return argc >= 5 ? sqlite3_value_int(argv[4]) : -1;
}

void MultiplyFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
  Decimal a, b;
  if (!Argument(context, argv[0], &a) || !Argument(context, argv[1], &b)) return;
  int scale = sqlite3_value_int(argv[2]);
  Written(context, Decimal::Multiply(a, b, scale, WrittenScale(argc, argv)), argc, argv, 3);
}

void DivideFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
  Decimal a, b;
  if (!Argument(context, argv[0], &a) || !Argument(context, argv[1], &b)) return;
  if (b.IsZero()) {
    Raise(context, db::DbErrorKind::kDivideByZero, kNativeDivideByZero,
          "Divide by zero error encountered.");
    return;
  }
  int scale = sqlite3_value_int(argv[2]);
  Written(context, Decimal::Divide(a, b, scale, WrittenScale(argc, argv)), argc, argv, 3);
}

void NegateFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  Decimal a;
  if (Argument(context, argv[0], &a)) Result(context, a.Negated(), "expression");
}

void AbsFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  Decimal a;
  if (Argument(context, argv[0], &a))
    Result(context, a.IsNegative() ? a.Negated() : a, "expression");
}

void RoundFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  Decimal a;
  if (!Argument(context, argv[0], &a)) return;
  if (sqlite3_value_type(argv[1]) == SQLITE_NULL) {
    sqlite3_result_null(context);
    return;
  }
  Result(context, a.Rounded(sqlite3_value_int(argv[1])), "expression");
}

void FloatFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  Decimal a;
  if (Argument(context, argv[0], &a)) sqlite3_result_double(context, a.ToDouble());
}

void IntFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  Decimal a;
  if (!Argument(context, argv[0], &a)) return;
  std::optional<int64_t> whole = a.TruncatedInt();
  if (!whole) {
    Raise(context, db::DbErrorKind::kConversion, kNativeOverflow,
          "Arithmetic overflow error converting numeric to data type bigint.");
    return;
  }
  sqlite3_result_int64(context, *whole);
}

void TextFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  Decimal a;
  if (!Argument(context, argv[0], &a)) return;
  int scale = sqlite3_value_int(argv[1]);
  std::string text = a.ToString();
  size_t point = text.find('.');
  int decimals = point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
  if (scale > 0 && point == std::string::npos) text += '.';
  for (int i = decimals; i < scale; ++i) text += '0';
  sqlite3_result_text(context, text.c_str(), -1, SQLITE_TRANSIENT);
}

// Aggregate state lives in memory SQLite aligns to 8 bytes only, so the 128-bit total is kept as
// bytes and copied in and out.
struct SumState {
  unsigned char total[sizeof(Int128)];
  int64_t count;
  bool overflow;

  Decimal Total() const {
    Int128 units;
    std::memcpy(&units, total, sizeof units);
    return Decimal::FromUnits(units);
  }
  void Add(sqlite3_value* value) {
    if (sqlite3_value_type(value) == SQLITE_NULL || overflow) return;
    std::optional<Decimal> decimal = ValueAsDecimal(value);
    std::optional<Decimal> sum = decimal ? Decimal::Add(Total(), *decimal) : std::nullopt;
    if (!sum) {
      overflow = true;
      return;
    }
    Int128 units = sum->units();
    std::memcpy(total, &units, sizeof units);
    ++count;
  }
};

void SumStep(sqlite3_context* context, int, sqlite3_value** argv) {
  auto* state = static_cast<SumState*>(sqlite3_aggregate_context(context, sizeof(SumState)));
  if (state != nullptr) state->Add(argv[0]);
}

SumState* FinalState(sqlite3_context* context) {
  auto* state = static_cast<SumState*>(sqlite3_aggregate_context(context, 0));
  if (state != nullptr && state->overflow) {
    RaiseOverflow(context, "expression");
    return nullptr;
  }
  if (state == nullptr || state->count == 0) {
    sqlite3_result_null(context);
    return nullptr;
  }
  return state;
}

void SumFinal(sqlite3_context* context) {
  if (SumState* state = FinalState(context)) Result(context, state->Total(), "expression");
}

// dec_avg(x, s): each step records the scale where the final call finds it.
struct AvgState {
  SumState sum;
  int scale = 0;
};

void AvgStep(sqlite3_context* context, int argc, sqlite3_value** argv) {
  auto* state = static_cast<AvgState*>(sqlite3_aggregate_context(context, sizeof(AvgState)));
  if (state == nullptr) return;
  if (argc > 1) state->scale = sqlite3_value_int(argv[1]);
  state->sum.Add(argv[0]);
}

void AvgFinalScaled(sqlite3_context* context) {
  auto* state = static_cast<AvgState*>(sqlite3_aggregate_context(context, 0));
  if (state != nullptr && state->sum.overflow) {
    RaiseOverflow(context, "expression");
    return;
  }
  if (state == nullptr || state->sum.count == 0) {
    sqlite3_result_null(context);
    return;
  }
  Result(context,
         Decimal::Divide(state->sum.Total(), Decimal::FromInt(state->sum.count), state->scale),
         "expression");
}

}  // namespace

std::optional<Decimal> ValueAsDecimal(sqlite3_value* value) {
  switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
      return Decimal::FromInt(sqlite3_value_int64(value));
    case SQLITE_FLOAT:
      return Decimal::FromDouble(sqlite3_value_double(value));
    case SQLITE_BLOB:
      if (sqlite3_value_bytes(value) != static_cast<int>(Decimal::kEncodedSize))
        return std::nullopt;
      return Decimal::Decode(static_cast<const unsigned char*>(sqlite3_value_blob(value)));
    case SQLITE_TEXT:
      return Decimal::Parse(reinterpret_cast<const char*>(sqlite3_value_text(value)));
    default:
      return std::nullopt;
  }
}

int RegisterDecimalFunctions(sqlite3* db, FunctionFault* fault) {
  constexpr int kPure = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
  static constexpr ScalarFunction kScalars[] = {
      {"dec", 1, DecFunction},
      {"dec", 3, DecFunction},
      {"dec_add", 2, AddLike<Decimal::Add>},
      {"dec_add", 4, AddLike<Decimal::Add>},
      {"dec_sub", 2, AddLike<Decimal::Subtract>},
      {"dec_sub", 4, AddLike<Decimal::Subtract>},
      {"dec_mul", 3, MultiplyFunction},
      {"dec_mul", 5, MultiplyFunction},
      {"dec_div", 3, DivideFunction},
      {"dec_div", 5, DivideFunction},
      {"dec_neg", 1, NegateFunction},
      {"dec_abs", 1, AbsFunction},
      {"dec_round", 2, RoundFunction},
      {"dec_float", 1, FloatFunction},
      {"dec_int", 1, IntFunction},
      {"dec_text", 2, TextFunction},
  };
  int rc = RegisterScalarFunctions(db, fault, kScalars);
  if (rc == SQLITE_OK) {
    rc = sqlite3_create_function_v2(db, "dec_sum", 1, kPure, fault, nullptr, SumStep, SumFinal,
                                    nullptr);
  }
  if (rc == SQLITE_OK) {
    rc = sqlite3_create_function_v2(db, "dec_avg", 2, kPure, fault, nullptr, AvgStep,
                                    AvgFinalScaled, nullptr);
  }
  return rc;
}

}  // namespace cb::sqlite
