#pragma once
// The numeric ids of the dialogs' controls. They are the ids the resources have always had;
// the Help buttons pass their own id to the help book as the context number. Every control that
// a handler, a test or the help book finds by its number has its id here; the others are made
// with wxID_ANY (or a stock id) and reached through their pointers.

namespace control {

// "Create List of Foods & Drinks"
inline constexpr int DayListHelp = 1001;
inline constexpr int MasterList = 1002;
inline constexpr int DayList = 1003;
inline constexpr int CopyToDayList = 1004;
inline constexpr int NewFood = 1006;
inline constexpr int DeleteFood = 1007;
inline constexpr int DayListOk = 1013;
inline constexpr int ClearDayList = 1048;
inline constexpr int DayListCaption = 1113;
inline constexpr int MasterSearch = 1114;

// "Insert New Food or Drink" and "Delete Selected Foods and Drinks"
inline constexpr int FoodName = 1008;
inline constexpr int NewFoodHelp = 1009;
inline constexpr int DeleteFoodHelp = 1016;
inline constexpr int DeleteFromMaster = 1018;

// "Update Symptoms"
inline constexpr int SymptomHelp = 1010;
inline constexpr int SymptomList = 1022;
inline constexpr int Better = 1023;
inline constexpr int Worse = 1024;
inline constexpr int NewSymptom = 1025;
inline constexpr int DeleteSymptom = 1026;
inline constexpr int NoChange = 1039;
inline constexpr int SymptomCaption = 1111;
inline constexpr int AllNoChange = 1112;

// "Add New Symptom" and "Delete Selected Symptom"
inline constexpr int NewSymptomName = 1025;
inline constexpr int DeleteSymptomName = 1026;
inline constexpr int NewSymptomHelp = 1031;
inline constexpr int DeleteSymptomHelp = 1032;

// "Gastrolog Options"
inline constexpr int OptionsHelp = 1062;
inline constexpr int Alphabetic = 1064;
inline constexpr int ByScore = 1065;
inline constexpr int Hour = 1067;
inline constexpr int HourSpin = 1068;
inline constexpr int PutInInclusions = 1069;
inline constexpr int PutInExclusions = 1070;
inline constexpr int ListSeparately = 1071;
inline constexpr int BackupDays = 1072;
inline constexpr int BackupDaysSpin = 1073;
inline constexpr int Reminder = 1074;
inline constexpr int ReminderTime = 1075;
inline constexpr int ReminderNote = 1076;
inline constexpr int TodayOnNewDay = 1077;
inline constexpr int SymptomsMayComeLater = 1078;

// "Day After Relationships"
inline constexpr int RelationshipsSymptoms = 1074;
inline constexpr int RelationshipsHelp = 1078;
inline constexpr int RelationshipsBestFoods = 1079;
inline constexpr int RelationshipsWorstFoods = 1081;

// "Restore from Backup"
inline constexpr int BackupList = 1080;

// "Report Period"
inline constexpr int PeriodChoice = 1085;
inline constexpr int PeriodFrom = 1086;
inline constexpr int PeriodTo = 1087;

// "Tip of the Day"
inline constexpr int TipPicture = 1000;
inline constexpr int ShowTipsAtStartup = 1001;
inline constexpr int NextTip = 1002;
inline constexpr int TipText = 1004;

}  // namespace control
