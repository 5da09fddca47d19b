#include "bench/names.h"

namespace tts::bench::names {

const char* const kFirstNames[30] = {
    "María",  "José",   "Ángel",      "Inés",    "Begoña", "Raúl",   "Lucía",   "Jesús",
    "Andrés", "Sofía",  "Martín",     "Nuria",   "Íñigo",  "Águeda", "Óscar",   "Ramón",
    "Mónica", "Víctor", "Concepción", "Rocío",   "Adrián", "Belén",  "Joaquín", "Marta",
    "Álvaro", "Elena",  "Sebastián",  "Beatriz", "Iván",   "Ainhoa"};

const char* const kSurnames[52] = {
    "Núñez",      "Peña",        "Gómez",    "Ruiz",      "Martín",   "Sáez",      "Ibáñez",
    "Oñate",      "Peñalver",    "Díaz",     "O'Donnell", "Rey",      "García",    "Fernández",
    "López",      "Martínez",    "Sánchez",  "Pérez",     "González", "Rodríguez", "Jiménez",
    "Hernández",  "Muñoz",       "Álvarez",  "Romero",    "Alonso",   "Gutiérrez", "Navarro",
    "Torres",     "Domínguez",   "Vázquez",  "Ramos",     "Gil",      "Ramírez",   "Serrano",
    "Blanco",     "Suárez",      "Molina",   "Morales",   "Ortega",   "Delgado",   "Castro",
    "Ortiz",      "Rubio",       "Marín",    "Sanz",      "Íñiguez",  "Cañete",    "Güemes",
    "Echevarría", "Zubizarreta", "Argüelles"};

const SubjectStem kSubjects[20] = {
    {"MAT", "MATEM", "Matemáticas", ""},
    {"LEN", "LENGUA", "Lengua Castellana y Literatura", ""},
    {"ING", "INGLÉS", "Inglés", ""},
    {"FYQ", "FÍSQUÍ", "Física y Química", "LAB"},
    {"EF", "EDUFÍS", "Educación Física", "GIM"},
    {"GEH", "GEOHIS", "Geografía e Historia", ""},
    {"BYG", "BIOGEO", "Biología y Geología", "LAB"},
    {"MÚS", "MÚSICA", "Música", "MÚS"},
    {"PLÁ", "PLÁSTICA", "Educación Plástica, Visual y Audiovisual", "DIB"},
    {"TEC", "TECNOL", "Tecnología y Digitalización", "TALL"},
    {"FRA", "FRANCÉS", "Francés", ""},
    {"LAT", "LATÍN", "Latín", ""},
    {"GRI", "GRIEGO", "Griego", ""},
    {"FIL", "FILOS", "Filosofía", ""},
    {"ECO", "ECONOM", "Economía y Emprendimiento", ""},
    {"REL", "RELIG", "Religión", ""},
    {"VAL", "VALÉTIC", "Valores Cívicos y Éticos", ""},
    {"INF", "INFORM", "Informática", "INF"},
    {"DIB", "DIBTÉC", "Dibujo Técnico", "DIB"},
    {"PSI", "PSICOL", "Psicología", ""},
};

const Duty kDuties[10] = {
    {"GUA", "GUARDIA", "Guardia", "G101"},
    {"GUR", "GUARREC", "Guardia de recreo", "G102"},
    {"REU", "REUNIÓN", "Reunión de departamento", "G205"},
    {"TUT", "TUTORÍA", "Tutoría con el grupo", "G310"},
    {"BIB", "BIBLIOT", "Biblioteca", "G320"},
    {"JEF", "JEFATURA", "Jefatura de departamento", "G330"},
    {"FAM", "FAMILIAS", "Atención a familias", "G340"},
    {"CCP", "COMCOORD", "Comisión de coordinación pedagógica", "G350"},
    {"PRO", "PROGRAM", "Programación y evaluación", "G360"},
    {"ACT", "EXTRAESC", "Actividades complementarias y extraescolares", "G370"},
};

const RoomKind kRoomKinds[8] = {
    {"LAB", "Laboratorio de Física, Química & Biología"},
    {"GIM", "Gimnasio"},
    {"MÚS", "Aula de Música"},
    {"DIB", "Aula de Dibujo"},
    {"TALL", "Taller de Tecnología"},
    {"INF", "Aula de Informática <TIC>"},
    {"BIB", "Biblioteca"},
    {"SUM", "Salón de usos múltiples"},
};

const Level kLevels[5] = {
    {"ESO", 4, "M"}, {"BACH", 2, "M"}, {"FPB", 2, "T"}, {"CFGM", 2, "T"}, {"CFGS", 2, "N"},
};

std::string roman(int number) {
  static const struct {
    int value;
    const char* digits;
  } kParts[] = {{1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"},
                {90, "XC"},  {50, "L"},   {40, "XL"}, {10, "X"},   {9, "IX"},
                {5, "V"},    {4, "IV"},   {1, "I"}};
  std::string text;
  for (const auto& part : kParts) {
    while (number >= part.value) {
      text += part.digits;
      number -= part.value;
    }
  }
  return text;
}

std::string upper(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    const auto byte = static_cast<unsigned char>(c);
    // Windows-1252: a-z, and the accented small letters 0xE0-0xFE but 0xF7 (÷).
    if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)) {
      c = static_cast<char>(byte - 0x20);
    }
  }
  return out;
}

}  // namespace tts::bench::names
