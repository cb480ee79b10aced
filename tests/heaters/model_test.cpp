// The heater output model and the form models of its two dialogs.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/application.h"
#include "heaters/conditions_form.h"
#include "heaters/heater.h"
#include "platform/messenger.h"
#include "platform/numbers.h"

namespace kvem {
namespace {

// The coefficient a radio caption states ("fíx = 0,8&5" -> 0.85), read
// independently of the value tables.
double CaptionValue(std::string_view caption) {
  std::string text;
  for (char c : caption.substr(caption.rfind('=') + 1)) {
    if (c != '&') text.push_back(c);
  }
  return ParseDouble(text, ',');
}

TEST(HeaterModel, VariantTablesAgreeWithTheirCaptions) {
  ASSERT_EQ(kConnectionVariants.size(), 5u);
  ASSERT_EQ(kPositionVariants.size(), 3u);
  ASSERT_EQ(kCoverageVariants.size(), 8u);
  for (const auto& v : kConnectionVariants)
    EXPECT_EQ(v.coefficient, CaptionValue(v.caption)) << v.caption;
  for (const auto& v : kPositionVariants)
    EXPECT_EQ(v.coefficient, CaptionValue(v.caption)) << v.caption;
  for (const auto& v : kCoverageVariants)
    EXPECT_EQ(v.coefficient, CaptionValue(v.caption)) << v.caption;

  const double coverage[] = {1.1, 1.0, 1.0, 0.98, 0.97, 0.96, 0.95, 0.87};
  const double connection[] = {1.0, 1.0, 0.9, 0.8, 0.85};
  const double position[] = {1.0, 0.95, 0.9};
  double c = 0;
  for (long v = 1; v <= 8; ++v) {
    ASSERT_TRUE(CoverageCoefficient(v, &c));
    EXPECT_EQ(c, coverage[v - 1]);
  }
  for (long v = 1; v <= 5; ++v) {
    ASSERT_TRUE(ConnectionCoefficient(v, &c));
    EXPECT_EQ(c, connection[v - 1]);
  }
  for (long v = 1; v <= 3; ++v) {
    ASSERT_TRUE(PositionCoefficient(v, &c));
    EXPECT_EQ(c, position[v - 1]);
  }
  for (long v : {0L, 6L, -1L}) EXPECT_FALSE(ConnectionCoefficient(v, &c));
  for (long v : {0L, 4L}) EXPECT_FALSE(PositionCoefficient(v, &c));
  for (long v : {0L, 9L}) EXPECT_FALSE(CoverageCoefficient(v, &c));
}

TEST(HeaterModel, TemperatureAndMassFlowCoefficients) {
  // 90/70/20 is the catalogue's own rating: the temperature coefficient is 1
  // whatever the exponent; the mass-flow coefficient is (1.01 x 59.44 / 60)^n.
  EXPECT_NEAR(LogMeanDifference(90, 70, 20), 59.4403, 1e-4);
  for (double n : {0.0, 1.0, 1.3, 1.45}) {
    EXPECT_DOUBLE_EQ(TemperatureCoefficient(80, 20, n), 1.0);
    EXPECT_NEAR(MassFlowCoefficient(90, 70, 20, n), std::pow(1.000578, n), 2e-6);
  }
  // 75/65/20, n = 1.3.
  EXPECT_NEAR(TemperatureCoefficient(70, 20, 1.3), 0.78895, 5e-5);
  // Inlet and outlet a rounding apart: the logarithm vanishes, its limit is used.
  const double t2 = std::nextafter(70.0, 71.0);
  EXPECT_TRUE(std::isfinite(LogMeanDifference(70.0, t2, 20.0)));
  EXPECT_NEAR(LogMeanDifference(70.0, t2, 20.0), 50.0, 1e-9);
}

TEST(HeaterModel, ElementsPolynomial) {
  EXPECT_NEAR(ElementsCoefficient(3), 1.0994296, 1e-7);
  EXPECT_NEAR(ElementsCoefficient(10), 1.000052, 1e-6);
  EXPECT_NEAR(ElementsCoefficient(30), 0.966212, 1e-6);
  for (long n : {-5L, 0L, 1L, 2L, 31L, 1000L}) EXPECT_EQ(ElementsCoefficient(n), 0.0) << n;
}

TEST(HeaterModel, NewRecordAndOverall) {
  const COtopneTeleso record;
  EXPECT_EQ(record.tw, 70.0);
  EXPECT_EQ(record.tr, 55.0);
  EXPECT_EQ(record.ti, 20.0);
  EXPECT_EQ(record.connection, 1);
  EXPECT_EQ(record.position, 1);
  EXPECT_EQ(record.coverage, 2);
  EXPECT_EQ(record.elements, 1);
  EXPECT_EQ(record.exponent, 0.0);
  EXPECT_EQ(FormatDouble("%.3f", record.Overall()), "1.000");

  COtopneTeleso r = record;
  r.exponent = 1.3;
  r.tw = 75;
  r.tr = 65;
  ASSERT_EQ(RecomputeCoefficients(r), "");
  EXPECT_NEAR(r.temperatureCoefficient, 0.78895, 5e-5);
  EXPECT_NEAR(r.Overall(), r.temperatureCoefficient * r.massFlowCoefficient, 1e-15);
}

TEST(HeaterModel, MeaninglessInputIsRefusedAndChangesNothing) {
  struct Case {
    double tw, tr, ti;
    const char* names;
  } cases[] = {
      {60, 60, 20, "Inlet and outlet"}, {20, 15, 20, "Inlet"},  {19, 30, 20, "Inlet"},
      {70, 20, 20, "Outlet"},           {70, 10, 20, "Outlet"}, {NAN, 55, 20, "Inlet"},
      {70, 55, INFINITY, "Indoor"},
  };
  for (const Case& c : cases) {
    COtopneTeleso r;
    r.tw = c.tw;
    r.tr = c.tr;
    r.ti = c.ti;
    r.exponent = 1.3;
    r.temperatureCoefficient = 0.5;
    const std::string problem = RecomputeCoefficients(r);
    EXPECT_NE(problem.find(c.names), std::string::npos) << problem;
    EXPECT_EQ(r.temperatureCoefficient, 0.5);
    EXPECT_EQ(r.massFlowCoefficient, 1.0);
  }
  // An exponent that would overflow is refused too, never giving inf.
  COtopneTeleso r;
  r.tw = 1e6;
  r.exponent = 500;
  EXPECT_NE(RecomputeCoefficients(r).find("Exponent"), std::string::npos);
  EXPECT_EQ(r.temperatureCoefficient, 1.0);

  EXPECT_NE(VariantProblem(6, 1, 2).find("connection"), std::string::npos);
  EXPECT_NE(VariantProblem(1, 0, 2).find("Position"), std::string::npos);
  EXPECT_NE(VariantProblem(1, 1, 9).find("coverage"), std::string::npos);
  EXPECT_EQ(VariantProblem(5, 3, 8), "");

  RecordingMessenger messenger;
  COtopneTeleso same;
  same.tr = same.tw;
  EXPECT_FALSE(RecomputeCoefficients(same, messenger));
  ASSERT_EQ(messenger.messages().size(), 1u);
  EXPECT_EQ(messenger.messages()[0].caption, "Kvem - error");
}

TEST(TemperatureDataForm, TwoModes) {
  TemperatureDataForm form(90, 70, 20, HeatCarrier::Water);
  EXPECT_EQ(form.tm(), 80);
  EXPECT_EQ(form.difference(), 20);
  // Temperature limits: inlet and outlet editable, mean and difference follow.
  ASSERT_EQ(form.mode(), TemperatureDataForm::Mode::Limits);
  EXPECT_FALSE(form.Enabled(TemperatureDataForm::Field::Mean));
  form.Leave(TemperatureDataForm::Field::Inlet, 75);
  form.Leave(TemperatureDataForm::Field::Outlet, "65,0", ',');
  EXPECT_EQ(form.tm(), 70);
  EXPECT_EQ(form.difference(), 10);
  form.Leave(TemperatureDataForm::Field::Mean, 50);  // disabled: ignored
  EXPECT_EQ(form.tm(), 70);

  form.SetMode(TemperatureDataForm::Mode::MeanAndDifference);
  EXPECT_FALSE(form.Enabled(TemperatureDataForm::Field::Inlet));
  EXPECT_TRUE(form.Enabled(TemperatureDataForm::Field::Indoor));
  form.Leave(TemperatureDataForm::Field::Difference, 15);
  EXPECT_EQ(form.t1(), 77.5);
  EXPECT_EQ(form.t2(), 62.5);
  form.Leave(TemperatureDataForm::Field::Mean, 60);
  EXPECT_EQ(form.t1(), 67.5);
  EXPECT_EQ(form.t2(), 52.5);
  EXPECT_EQ(form.Text(TemperatureDataForm::Field::Inlet, ','), "67,5");

  RecordingMessenger messenger;
  EXPECT_TRUE(form.Accept(messenger));
  form.Leave(TemperatureDataForm::Field::Difference, 0);
  EXPECT_FALSE(form.Accept(messenger));
  form.Leave(TemperatureDataForm::Field::Difference, 100);  // outlet 10 degC below Ti
  EXPECT_FALSE(form.Accept(messenger));
  ASSERT_EQ(messenger.messages().size(), 2u);
  EXPECT_NE(messenger.texts()[1].find("Outlet"), std::string::npos);
}

TEST(ModifiedConditionsForm, OpenedWithoutRecord) {
  ModifiedConditionsForm form;
  EXPECT_EQ(form.t1(), 90);
  EXPECT_EQ(form.t2(), 70);
  EXPECT_EQ(form.tm(), 80);
  EXPECT_EQ(form.difference(), 20);
  EXPECT_EQ(form.ti(), 20);
  EXPECT_EQ(form.dtn(), 60);
  EXPECT_EQ(form.record().coverage, 2);
  RecordingMessenger messenger;
  ASSERT_TRUE(form.Open(messenger));
  EXPECT_EQ(FormatDouble("%.3f", form.Overall()), "1.000");
  EXPECT_EQ(form.Rows().size(), 9u);
  EXPECT_EQ(PlainCaption(form.Rows()[2].caption), "position of heater in heated room");
}

TEST(ModifiedConditionsForm, EditsAndRefusals) {
  COtopneTeleso record;
  record.exponent = 1.3;
  record.kind = kKindSectional;
  ModifiedConditionsForm form(record, true);
  RecordingMessenger messenger;
  ASSERT_TRUE(form.Open(messenger));
  ASSERT_TRUE(form.SetConnection(5, messenger));
  ASSERT_TRUE(form.SetPosition(2, messenger));
  ASSERT_TRUE(form.SetCoverage(8, messenger));
  EXPECT_FALSE(form.SetCoverage(9, messenger));
  EXPECT_EQ(form.record().coverage, 8);
  EXPECT_EQ(form.record().fio, 0.87);

  TemperatureDataForm temperatures = form.TemperatureForm();
  temperatures.Leave(TemperatureDataForm::Field::Inlet, 75);
  temperatures.Leave(TemperatureDataForm::Field::Outlet, 65);
  ASSERT_TRUE(form.TakeTemperatures(temperatures, messenger));
  EXPECT_NEAR(form.record().temperatureCoefficient, 0.78895, 5e-5);

  form.SetElements(10);
  form.RecalculateElements();
  EXPECT_NEAR(form.record().elementsCoefficient, 1.000052, 1e-6);
  const double expected = 0.85 * 0.95 * 0.87 * form.record().temperatureCoefficient *
                          form.record().massFlowCoefficient * form.record().elementsCoefficient;
  EXPECT_NEAR(form.Overall(), expected, 1e-12);

  // Temperatures without meaning are refused and the previous ones kept.
  const COtopneTeleso before = form.record();
  temperatures.Leave(TemperatureDataForm::Field::Outlet, 75);
  EXPECT_FALSE(form.TakeTemperatures(temperatures, messenger));
  EXPECT_EQ(form.record().tr, before.tr);
  EXPECT_EQ(form.record().temperatureCoefficient, before.temperatureCoefficient);
  EXPECT_EQ(messenger.messages().size(), 2u);
  EXPECT_EQ(form.Result().kind, kKindSectional);
}

TEST(HeaterDefaults, ProjectDefaultsAndTheMenuCommand) {
  RecordingMessenger messenger;
  Application app(Settings::InMemory(), messenger, '.');
  HeaterDefaults& defaults = app.heaterDefaults();
  EXPECT_EQ(defaults.record.tw, 70.0);
  EXPECT_EQ(defaults.record.tr, 55.0);
  EXPECT_FALSE(RecomputeRequestedConditions(defaults, messenger));  // the dialog opens

  // The heater design asks; the next command recomputes silently, once.
  defaults.record.exponent = 1.3;
  defaults.recomputeRequested = true;
  EXPECT_TRUE(RecomputeRequestedConditions(defaults, messenger));
  EXPECT_NEAR(defaults.record.temperatureCoefficient, std::pow(42.5 / 60.0, 1.3), 1e-12);
  EXPECT_FALSE(defaults.recomputeRequested);
  EXPECT_FALSE(RecomputeRequestedConditions(defaults, messenger));
  EXPECT_TRUE(messenger.messages().empty());
}

}  // namespace
}  // namespace kvem
