// The facts gathered from RAF files written by the project's writer: what
// they say about intact files in every byte order, format version and MSTRU
// layout, and where damage stops them.
#include "info/gather.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "arrays/identifiers.h"
#include "info_test.h"
#include "raflib/open.h"
#include "raflib/writers.h"
#include "writer/frame.h"

namespace {

using info_test::allocated;
using info_test::failure_of;
using info_test::named;
using testing_support::read_file;

class Gather : public info_test::InfoTest {};

TEST_F(Gather, TheSampleKeyMfpAndDirectory) {
  const writer::Model model = writer::sample_frame();
  write(model, "s.raf");
  const info::Facts f = facts("s.raf");
  ASSERT_FALSE(f.failure) << failure_of(f);
  ASSERT_TRUE(f.key && f.mfp && f.directory && f.parameters && f.steps);
  const info::Key& k = *f.key;
  EXPECT_TRUE(k.raflib);
  EXPECT_EQ(k.version, 2);
  EXPECT_EQ(k.revision, 1);
  EXPECT_EQ(k.type_number, 14);
  EXPECT_EQ(k.type_name, "PC / DIGITAL Visual Fortran");
  EXPECT_FALSE(k.converted);
  EXPECT_FALSE(k.upgraded_in_memory);
  EXPECT_EQ(k.mfpadr, 3);
  EXPECT_EQ(k.file_size, static_cast<int64_t>(std::filesystem::file_size("s.raf")));
  EXPECT_EQ(k.data_end, k.file_size);

  // Every record once: the stored-once arrays and three stored steps.
  const info::Directory& d = *f.directory;
  EXPECT_EQ(f.mfp->size(), static_cast<std::size_t>(d.once + 3 * (d.post + d.rest)));
  for (std::size_t i = 1; i < f.mfp->size(); ++i) {
    EXPECT_LT((*f.mfp)[i - 1].number, (*f.mfp)[i].number);
  }

  std::set<std::string> names = {"MSTRU", "NUMRAF", "KEYRAF", "IARRNM"}, listed;
  for (const writer::Array& a : model.arrays) names.insert(a.name);
  for (const info::NamedArray& a : d.arrays) {
    listed.insert(a.name);
    EXPECT_TRUE(a.known) << a.name;
    const writer::Array* m = model.find(a.name);
    if (m == nullptr) continue;
    EXPECT_EQ(a.type, m->type) << a.name;
    EXPECT_EQ(a.store, m->store) << a.name;
    EXPECT_EQ(a.elements, m->dimension()) << a.name;
  }
  EXPECT_EQ(listed, names);
  EXPECT_EQ(named(f, "NUMRAF")->once_key, 101);
  EXPECT_EQ(named(f, "IARRNM")->serials, (std::array<int32_t, 3>{3, 0, 0}));

  // Per-step records exist exactly for the stored steps.
  for (const std::string name : {"TFLE", "TMIDFO", "U"}) {
    const info::NamedArray* a = named(f, name);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->once_key, 0);
    EXPECT_EQ(a->stride, 3);
    EXPECT_EQ(a->serials[0], 0) << "a serial outside the array's class";
    for (int32_t s = 1; s <= 10; ++s) {
      EXPECT_EQ(allocated(f, a->step1_key + (s - 1) * a->stride), s == 3 || s == 5 || s == 8)
          << name << " step " << s;
    }
  }
}

TEST_F(Gather, ParametersInEitherLayoutAndTheSteps) {
  const writer::Model model = writer::sample_frame();
  write(model, "dir.raf");
  const info::Facts f = facts("dir.raf");
  ASSERT_FALSE(f.failure) << failure_of(f);
  EXPECT_FALSE(f.parameters->fixed_layout);
  ASSERT_EQ(f.parameters->values.size(), model.parameters.size() + 2);
  EXPECT_EQ(f.parameters->values[0].name, "MSFLAG");
  EXPECT_EQ(f.parameters->values[0].value, -1);
  for (std::size_t i = 0; i < model.parameters.size(); ++i) {
    EXPECT_EQ(f.parameters->values[i + 2].name, model.parameters[i].name);
    EXPECT_EQ(f.parameters->values[i + 2].value, model.parameters[i].value);
  }
  EXPECT_EQ(f.steps->count, 10);
  EXPECT_EQ(f.steps->stored, (std::vector<int32_t>{3, 5, 8}));
  EXPECT_EQ(f.steps->mxglpr, model.parameter("MXGLPR"));
  EXPECT_EQ(f.steps->mxstep, model.parameter("MXSTEP"));

  writer::Options fixed;
  fixed.mstru.layout = writer::MstruLayout::kFixed;
  write(model, "fixed.raf", fixed);
  const info::Facts g = facts("fixed.raf");
  ASSERT_FALSE(g.failure) << failure_of(g);
  EXPECT_TRUE(g.parameters->fixed_layout);
  for (const writer::Parameter& p : model.parameters) {
    const auto it = std::find_if(g.parameters->values.begin(), g.parameters->values.end(),
                                 [&](const info::Parameter& v) { return v.name == p.name; });
    if (arrays::IDFIX(p.name) == 0) {
      EXPECT_EQ(it, g.parameters->values.end()) << p.name << " has no slot";
    } else {
      ASSERT_NE(it, g.parameters->values.end()) << p.name;
      EXPECT_EQ(it->value, p.value) << p.name;
    }
  }
  EXPECT_EQ(g.steps->stored, f.steps->stored);
}

TEST_F(Gather, TheValuesOfOneArrayAsTheModelHoldsThem) {
  const writer::Model model = writer::sample_frame();
  write(model, "s.raf");
  info::Facts f = facts("s.raf", "TFLE", 5);
  ASSERT_FALSE(f.failure) << failure_of(f);
  ASSERT_TRUE(f.array);
  EXPECT_EQ(f.array->type, "DP");
  EXPECT_EQ(f.array->store, "POST");
  EXPECT_EQ(f.array->key, named(f, "TFLE")->step1_key + 4 * 3);
  EXPECT_EQ(f.array->reals, model.find("TFLE")->steps.at(5).reals);
  EXPECT_TRUE(f.array->ints.empty());

  f = facts("s.raf", "TMIDFO", 8);  // single precision, delivered in double
  ASSERT_FALSE(f.failure) << failure_of(f);
  EXPECT_EQ(f.array->type, "RE");
  EXPECT_EQ(f.array->reals, model.find("TMIDFO")->steps.at(8).reals);

  f = facts("s.raf", "MELTYP");
  ASSERT_FALSE(f.failure) << failure_of(f);
  const std::vector<int32_t>& meltyp = model.find("MELTYP")->once.ints;
  EXPECT_EQ(f.array->ints, std::vector<int64_t>(meltyp.begin(), meltyp.end()));

  f = facts("s.raf", "TFLE", 4);
  ASSERT_TRUE(f.failure);
  EXPECT_EQ(f.failure->what, "array TFLE for step 4");
  EXPECT_EQ(f.failure->message, 1048);
  EXPECT_FALSE(f.array);
  EXPECT_TRUE(f.steps) << "the facts before the values stay";

  f = facts("s.raf", "NOSUCH");
  EXPECT_EQ(failure_of(f), "array NOSUCH for step 1: not a name the converter knows");
}

TEST_F(Gather, ByteOrderAndFormatVersionZeroGiveTheNativeFacts) {
  const writer::Model model = writer::sample_frame();
  write(model, "native.raf");
  writer::Options big;
  big.computer_type = 8;
  write(model, "big.raf", big);
  writer::Options old;
  old.version0 = true;
  write(model, "v0.raf", old);
  const std::string v0_bytes = read_file("v0.raf");

  const info::Facts n = facts("native.raf", "TCOORD");
  const auto same_as_native = [&n](const info::Facts& f) {
    ASSERT_FALSE(f.failure) << failure_of(f);
    ASSERT_EQ(f.mfp->size(), n.mfp->size());
    for (std::size_t i = 0; i < n.mfp->size(); ++i) {
      const info::MfpEntry &a = (*f.mfp)[i], &b = (*n.mfp)[i];
      EXPECT_TRUE(a.number == b.number && a.address == b.address && a.type == b.type &&
                  a.allocated == b.allocated && a.stored == b.stored)
          << "array " << b.number;
    }
    ASSERT_EQ(f.directory->arrays.size(), n.directory->arrays.size());
    for (std::size_t i = 0; i < n.directory->arrays.size(); ++i) {
      EXPECT_EQ(f.directory->arrays[i].once_key, n.directory->arrays[i].once_key);
      EXPECT_EQ(f.directory->arrays[i].step1_key, n.directory->arrays[i].step1_key);
    }
    EXPECT_EQ(f.steps->stored, n.steps->stored);
    EXPECT_EQ(f.array->reals, n.array->reals);
  };

  const info::Facts b = facts("big.raf", "TCOORD");
  same_as_native(b);
  EXPECT_EQ(b.key->type_number, 8);
  EXPECT_TRUE(b.key->converted);

  // RNTRAN is array 128, the last entry of block 2, which version 0 kept in
  // block 3.
  ASSERT_EQ(named(n, "RNTRAN")->once_key, 128);
  const info::Facts o = facts("v0.raf", "TCOORD");
  same_as_native(o);
  EXPECT_EQ(o.key->version, 0);
  EXPECT_TRUE(o.key->upgraded_in_memory);
  EXPECT_FALSE(o.key->converted);
  EXPECT_EQ(facts("v0.raf", "RNTRAN").array->reals, model.find("RNTRAN")->once.reals);
  fresh();
  EXPECT_TRUE(read_file("v0.raf") == v0_bytes) << "the file was written";
}

TEST_F(Gather, NamesTheConverterDoesNotKnowComeFromTheStoredDirectory) {
  writer::Model model = writer::sample_frame();
  model.add(writer::int_array("EXTRA", "STRU", {7, 8, 9}));
  writer::Array per_step = writer::empty_array("EXTRAP", "RE", "POST");
  for (const int32_t s : {3, 5, 8}) per_step.steps[s].reals = {1.0 * s, 2.0};
  model.add(per_step);
  write(model, "x.raf");
  const info::Facts f = facts("x.raf");
  ASSERT_FALSE(f.failure) << failure_of(f);
  const info::NamedArray* extra = named(f, "EXTRA");
  ASSERT_NE(extra, nullptr);
  EXPECT_FALSE(extra->known);
  EXPECT_EQ(extra->type, "IN");
  EXPECT_EQ(extra->store, "STRU");
  EXPECT_EQ(extra->elements, 3);
  const auto entry = std::find_if(f.mfp->begin(), f.mfp->end(), [&](const info::MfpEntry& e) {
    return e.number == extra->once_key;
  });
  ASSERT_NE(entry, f.mfp->end());
  EXPECT_EQ(entry->stored, 3);
  EXPECT_EQ(entry->type, 1);
  const info::NamedArray* p = named(f, "EXTRAP");
  ASSERT_NE(p, nullptr);
  EXPECT_FALSE(p->known);
  EXPECT_EQ(p->stride, 4);
  for (int32_t s = 1; s <= 10; ++s) {
    EXPECT_EQ(allocated(f, p->step1_key + (s - 1) * p->stride), s == 3 || s == 5 || s == 8);
  }
  EXPECT_EQ(failure_of(facts("x.raf", "EXTRA")),
            "array EXTRA for step 1: not a name the converter knows");
}

TEST_F(Gather, AFileWithoutTheArrayDirectory) {
  io::Text<40> name("plain.raf");
  int32_t st = -1;
  raflib::RAFINI(0);
  raflib::RAFNEW(30, name.span(), "NEW", 10, st);
  const std::vector<int32_t> v = {1, 2, 3};
  raflib::RAFPIN(std::as_bytes(std::span(v)), 3, 2, 30, st);
  raflib::RAFCLS(30, st);
  ASSERT_EQ(st, 0);
  const info::Facts f = facts("plain.raf");
  ASSERT_FALSE(f.failure) << failure_of(f);
  ASSERT_EQ(f.mfp->size(), 1u);
  EXPECT_EQ((*f.mfp)[0].number, 2);
  ASSERT_TRUE(f.directory);
  EXPECT_FALSE(f.directory->present);
  EXPECT_FALSE(f.parameters);
  EXPECT_EQ(failure_of(facts("plain.raf", "MSTRU")),
            "array MSTRU: the file has no array directory");
}

class Damage : public info_test::InfoTest {
 protected:
  void SetUp() override {
    InfoTest::SetUp();
    write(model, "s.raf");
    intact = facts("s.raf");
    ASSERT_FALSE(intact.failure) << failure_of(intact);
  }
  writer::Model model = writer::sample_frame();
  info::Facts intact;
};

TEST_F(Damage, ARecordTheDirectoryListsIsMissing) {
  writer::Options o;
  o.omit_records = {named(intact, "MELTYP")->once_key};
  write(model, "d.raf", o);
  const info::Facts f = facts("d.raf");
  ASSERT_TRUE(f.failure);
  EXPECT_EQ(f.failure->what, "directory entry of MELTYP");
  EXPECT_NE(f.failure->text.find("is not in the MFP"), std::string::npos) << f.failure->text;
  EXPECT_EQ(f.directory->arrays.back().name, "MELTYP") << "the entries up to it are listed";
  EXPECT_FALSE(f.parameters);
}

TEST_F(Damage, DirectoryEntriesAndCountsThatCannotBeRight) {
  writer::Options o;
  o.edit_directory = [](writer::Directory& d) { d.keyraf[(39 - 1) * 10] = 7; };  // TCOORD
  write(model, "type.raf", o);
  EXPECT_EQ(failure_of(facts("type.raf")), "directory entry of TCOORD: type code 7, store code 1");

  o.edit_directory = [](writer::Directory& d) { d.numraf[5] = INT32_MAX; };  // restart per step
  write(model, "rest.raf", o);
  EXPECT_NE(failure_of(facts("rest.raf")).find("give no RAF number"), std::string::npos);

  o.edit_directory = [](writer::Directory& d) { d.numraf[9] = 99; };  // the RAF number base
  write(model, "base.raf", o);
  const info::Facts f = facts("base.raf");
  EXPECT_EQ(failure_of(f), "array directory (records 101 to 103): the array layer refuses it");
  EXPECT_TRUE(f.directory.has_value() == false && f.mfp.has_value());
}

TEST_F(Damage, AStoredFlagTheConverterStopsOn) {
  model.find("MGLRES")->once.ints[(4 - 1) * 12 + 10 - 1] = 2;
  write(model, "flag.raf");
  const info::Facts f = facts("flag.raf");
  EXPECT_EQ(failure_of(f), "MGLRES: step 4 has the stored flag 2");
  EXPECT_TRUE(f.parameters && f.parameters->present);
}

TEST_F(Damage, AnMfpEntryOfNoDataTypeIsReportedAfterTheWholeMfp) {
  // Array 104 is entry 40 of block 2, which lies in records 5 and 6.
  std::string image = read_file("s.raf");
  const int32_t type = 9;
  std::memcpy(image.data() + 4 * 512 + (104 - 65) * 16 + 4, &type, 4);
  testing_support::write_file("t.raf", image);
  const info::Facts f = facts("t.raf");
  EXPECT_EQ(failure_of(f),
            "MFP entry of array 104: RAFLIB message 1032: "
            "Corrupt MFP: Unknown datatype no (9)");
  EXPECT_EQ(f.mfp->size(), intact.mfp->size());
  EXPECT_FALSE(f.directory);
}

TEST_F(Damage, AFileCutInItsDataArea) {
  std::filesystem::copy_file("s.raf", "cut.raf");
  std::filesystem::resize_file("cut.raf",
                               static_cast<std::uintmax_t>(intact.key->data_end - 20 * 512));
  const info::Facts f = facts("cut.raf", "U", 8);
  ASSERT_TRUE(f.failure);
  EXPECT_EQ(f.failure->what, "array U for step 8");
  EXPECT_EQ(f.failure->message, 1036);
  EXPECT_EQ(f.key->data_end - f.key->file_size, 20 * 512);
  EXPECT_TRUE(f.steps) << "the records before the cut are read";
}

}  // namespace
